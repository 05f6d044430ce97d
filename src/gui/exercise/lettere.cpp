#include "gui/exercise/lettere.h"

#include "core/app/Program.h"
#include "core/exercise/ExerciseEngine.h"
#include "core/exercise/Presentazione.h"
#include "core/platform/ResizeMath.h"
#include "core/platform/SpeakingCharacter.h"
#include "gui/widgets/Accessibility.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/Controls.h"
#include "gui/widgets/PictureBox.h"
#include "gui/widgets/Pointer.h"
#include "gui/widgets/ShapeControl.h"
#include "gui/widgets/SolidButton.h"
#include "gui/widgets/SwitchBox.h"
#include "gui/widgets/WindowManager.h"

#include <algorithm>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

namespace ortolino {

namespace {

// Design area of the window, in twips.
constexpr QSize kDesign(10260, 8040);

// The keyboard: three rows, keys 615 × 495 and 720 apart; "avanti" on the right.
struct Riga
{
    int first, last, left, top;
};
constexpr std::array<Riga, 3> kRighe = {
    {{0, 9, 480, 5880}, {10, 18, 720, 6480}, {19, 25, 1440, 7080}}};
constexpr int kPassoTasti = 720;
constexpr int kLarghezzaTasto = 615;
constexpr int kAltezzaTasto = 495;

// The character's place is 1600 twips wide, centred left of the picture.
constexpr int kLarghezzaAgente = 1600;
constexpr int kAbbassamentoAgentePx = 50;

constexpr double kDimensioneInizialeTasti = 14.25;
constexpr int kSpessoreMinimo = 3; // the range the configuration offers
constexpr int kSpessoreMassimo = 30;

QFont settingFont(const QString& face, int points)
{
    QFont font(face);
    font.setPointSize(std::max(points, 1));
    return font;
}

// The right and wrong icons: a green disc with a tick, a red disc with a cross.
QImage iconaEsito(bool right)
{
    QImage image(256, 256, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 8));
    p.setBrush(right ? QColor(60, 180, 75) : QColor(230, 60, 60));
    p.drawEllipse(QRectF(8, 8, 240, 240));
    p.setPen(QPen(Qt::white, 28, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (right) {
        p.drawPolyline(QPolygonF({QPointF(70, 132), QPointF(112, 176), QPointF(188, 88)}));
    } else {
        p.drawLine(QPointF(84, 84), QPointF(172, 172));
        p.drawLine(QPointF(172, 84), QPointF(84, 172));
    }
    return image;
}

// Only the background role: buttons inside keep their own colour.
void paintArea(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setTextColours(QWidget* widget, const QColor& text, const QColor& back)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Window, back);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

// While any handler of this window is on the stack (a help may be waiting
// inside it, handling events), closing the window must not destroy it: the
// deletion waits until the outermost handler has returned.
class lettere::Handling
{
public:
    explicit Handling(lettere& window) : window_(window) { ++window_.handling_; }
    ~Handling()
    {
        if (--window_.handling_ == 0 && window_.deleteWhenIdle_)
            window_.deleteLater();
    }
    Handling(const Handling&) = delete;
    Handling& operator=(const Handling&) = delete;

private:
    lettere& window_;
};

lettere::lettere(Program& program, WindowManager& windows)
    : Form(QStringLiteral("lettere"), program, windows, kDesign)
{
    setWindowTitle(QStringLiteral("Ortolino"));
    engine_ = std::make_unique<ExerciseEngine>(program, static_cast<ExerciseView&>(*this));
    input_ = std::make_unique<KeyboardInput>(
        program.state, *engine_, static_cast<ExerciseView&>(*this), static_cast<ScanView&>(*this));
    createPictureArea();
    createCounters();
    createKeyboard();
    createScanning();
    createMenus();
}

lettere::~lettere() = default;

void lettere::createPictureArea()
{
    picAgent = named(new QWidget(area()), "picAgent");
    place(picAgent, 280, 600, kLarghezzaAgente, 2400);

    Picture2 = named(new QFrame(area()), "Picture2");
    Picture2->setFrameStyle(QFrame::Box | QFrame::Plain);
    place(Picture2, 2160, 240, 5760, 3720);
    Image1 = named(new PictureBox(Picture2), "Image1");
    place(Image1, 60, 60, 5640, 3600);

    LabelMerlino = named(new QLabel(QStringLiteral("Merlino"), area()), "LabelMerlino");
    LabelMerlino->setAlignment(Qt::AlignCenter);
    LabelMerlino->setFrameStyle(QFrame::Box | QFrame::Plain);
    LabelMerlino->setLineWidth(2);
    place(LabelMerlino, 2400, 2880, 5280, 900);
    LabelMerlino->hide();

    Label1 = named(new QLabel(area()), "Label1");
    Label1->setAlignment(Qt::AlignCenter);
    place(Label1, 240, 4200, 9780, 1320);

    Picture1 = named(new QFrame(area()), "Picture1");
    Picture1->setFrameStyle(QFrame::Box | QFrame::Plain);
    paintArea(Picture1, QColor(255, 255, 225));
    place(Picture1, 2160, 1560, 5760, 1080);
    Label4 = named(
        new QLabel(QStringLiteral("Attendere : sto caricando la lista delle immagini"), Picture1),
        "Label4");
    Label4->setFont(designFont(QStringLiteral("Arial"), 12, true));
    Label4->setAlignment(Qt::AlignCenter);
    Label4->setWordWrap(true);
    place(Label4, 120, 120, 5520, 840);
    Picture1->hide();
}

void lettere::createCounters()
{
    const QString face = QStringLiteral("Comic Sans MS");
    Label3 = named(new QLabel(QStringLiteral("Esatti"), area()), "Label3");
    Label3->setFont(designFont(face, 14, true));
    place(Label3, 8280, 360, 1620, 420);
    EtichettaEsatti = named(new QLabel(QStringLiteral("0"), area()), "EtichettaEsatti");
    EtichettaEsatti->setFont(designFont(face, 24, true));
    place(EtichettaEsatti, 8280, 780, 1620, 600);
    Label2 = named(new QLabel(QStringLiteral("Errati"), area()), "Label2");
    Label2->setFont(designFont(face, 14, true));
    place(Label2, 8280, 1500, 1620, 420);
    EtichettaErrati = named(new QLabel(QStringLiteral("0"), area()), "EtichettaErrati");
    EtichettaErrati->setFont(designFont(face, 24, true));
    place(EtichettaErrati, 8280, 1920, 1620, 600);

    ComandoIconaSi = named(new PictureBox(area()), "ComandoIconaSi");
    ComandoIconaSi->setImage(iconaEsito(true));
    place(ComandoIconaSi, 8520, 2760, 960, 960);
    ComandoIconaNo = named(new PictureBox(area()), "ComandoIconaNo");
    ComandoIconaNo->setImage(iconaEsito(false));
    place(ComandoIconaNo, 8520, 2760, 960, 960);
    ComandoIconaNo->hide();
}

void lettere::createKeyboard()
{
    const QFont keyFont = designFont(QStringLiteral("Arial"), 12, true);
    for (const Riga& riga : kRighe) {
        for (int i = riga.first; i <= riga.last; ++i) {
            auto* key = named(new SolidButton(QString(), area()), "tastiera");
            setControlIndex(key, i);
            key->setFont(keyFont);
            key->setFocusPolicy(Qt::NoFocus); // typed letters and switches reach the window
            place(key, riga.left + (i - riga.first) * kPassoTasti, riga.top, kLarghezzaTasto,
                  kAltezzaTasto);
            connect(key, &QPushButton::clicked, this, [this, i] {
                Handling handling(*this);
                input_->keyClicked(i);
            });
            tastiera[static_cast<size_t>(i)] = key;
        }
    }
    BottoneAvanti = named(new SolidButton(QStringLiteral("avanti"), area()), "BottoneAvanti");
    BottoneAvanti->setFont(designFont(QStringLiteral("Comic Sans MS"), 18, true));
    BottoneAvanti->setEnabled(false);
    BottoneAvanti->setAutoDefault(true); // Enter on it goes on, as Space does
    place(BottoneAvanti, 8160, 6720, 1725, 900);
    connect(BottoneAvanti, &QPushButton::clicked, this, [this] {
        Handling handling(*this);
        input_->avantiClicked();
    });
}

void lettere::createScanning()
{
    PictureScansioneManuale = new SwitchBox(QStringLiteral("PictureScansioneManuale"), area());
    PictureScansioneAutomatica =
        new SwitchBox(QStringLiteral("PictureScansioneAutomatica"), area());
    for (SwitchBox* box : {PictureScansioneManuale, PictureScansioneAutomatica}) {
        place(box, 9780, 7680, 240, 240);
        box->hide();
        connect(box, &SwitchBox::keyDown, this, [this](int key) {
            Handling handling(*this);
            input_->switchDown(key);
        });
        connect(box, &SwitchBox::keyUp, this, [this](int key) {
            Handling handling(*this);
            input_->switchUp(key);
        });
        connect(box, &SwitchBox::heldKeysLost, this, [this] {
            Handling handling(*this);
            input_->keysLost();
        });
    }

    ShapeRiquadro = named(new ShapeControl(area()), "ShapeRiquadro");
    place(ShapeRiquadro, 480, 5880, kLarghezzaTasto, kAltezzaTasto);
    ShapeRiquadro->hide();

    LabelDimensionaFont =
        named(new QLabel(QStringLiteral("dimensiona font "), area()), "LabelDimensionaFont");
    LabelDimensionaFont->setFont(
        designFont(QStringLiteral("Arial"), kDimensioneInizialeTasti, false));
    place(LabelDimensionaFont, 120, 7680, 1200, 300);
    LabelDimensionaFont->hide();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setTimerType(Qt::PreciseTimer); // the scan's pace is what the child follows
    Timer1->setInterval(kIntervalloFuocoMs);
    connect(Timer1, &QTimer::timeout, this, &lettere::Timer1_Timer);

    typingRepeatWindow_ = new QTimer(this);
    typingRepeatWindow_->setSingleShot(true);
    typingRepeatWindow_->setInterval(SwitchKeys::kRepeatWindowMs);
    connect(typingRepeatWindow_, &QTimer::timeout, this, [this] { typing_.takePendingRelease(); });
}

void lettere::createMenus()
{
    QMenuBar* bar = menuBar();
    mnuAzzera = named(bar->addAction(QStringLiteral("&Azzera conteggio")), "mnuAzzera");
    connect(mnuAzzera, &QAction::triggered, this, [this] { engine_->AzzeraConteggio(); });

    QMenu* colori = bar->addMenu(QStringLiteral("&Colori"));
    colori->menuAction()->setObjectName(QStringLiteral("mnuColori"));
    mnuCol = named(colori->addAction(QStringLiteral("Colori")), "mnuCol");
    mnuGrigio = named(colori->addAction(QStringLiteral("Scala di grigi")), "mnuGrigio");
    auto* group = new QActionGroup(this);
    for (QAction* action : {mnuCol, mnuGrigio}) {
        action->setCheckable(true);
        group->addAction(action);
    }
    mnuCol->setChecked(true);
    connect(mnuGrigio, &QAction::toggled, this, [this](bool grey) { Image1->setGreyScale(grey); });

    mnuEsci = named(bar->addAction(QStringLiteral("&Esci")), "mnuEsci");
    connect(mnuEsci, &QAction::triggered, this, &lettere::mnuEsci_Click);
}

// --- Life cycle -----------------------------------------------------------

void lettere::Form_Load()
{
    Form::Form_Load(); // translation, then the resizer at 75 % of the screen
    ImpostaTastiera(program().state);
    for (int i = 0; i < kNumeroTasti; ++i) {
        QPushButton* key = tastiera[static_cast<size_t>(i)];
        key->setText(program().state.LettereTastiera[static_cast<size_t>(i + 1)]);
        key->setVisible(program().state.LettereAttive[static_cast<size_t>(i)]);
    }
    CaricaPersonaggio();
}

void lettere::CaricaPersonaggio()
{
    personaggio_ = ortolino::CaricaPersonaggio(program().state, program().services.agent);
    engine_->setPersonaggio(personaggio_.get());
}

void lettere::Form_Activate()
{
    Handling handling(*this);
    ProgramState& state = program().state;
    activated_ = true;
    coverScreen();
    engine_->AzzeraConteggio();
    engine_->TastoCorrente = kNumeroTasti - 1;
    LabelMerlino->setFont(settingFont(state.NomeFont, state.DimensioneFont));
    paintArea(LabelMerlino, qtColor(state.ColoreSfondoTesto));
    setPointers();
    engine_->CaricaParole();
    engine_->NuovaParola();
    if (!engine_->running())
        return; // no word can serve: the window is on its way back to the menu
    engine_->TastoCorrente = kNumeroTasti - 1;
    fitKeyFont();
    Label1->setFont(settingFont(state.NomeFont, state.DimensioneFont));
    if (!state.ColoriDiSistema)
        applyColours();
    startScanning();
    paintArea(picAgent, background(area()));
    engine_->ParametriVoce = parametriVoce(state.VelocitaVoce, state.TonoVoce);
    PresentaPersonaggio();
}

void lettere::setPointers()
{
    const QCursor keys =
        program().state.MouseDiSistema ? QCursor(Qt::ArrowCursor) : pencilPointer();
    for (QPushButton* key : tastiera)
        key->setCursor(keys);
    BottoneAvanti->setCursor(Qt::ArrowCursor);
}

// The key letters get the size at which "  q " is as wide as a key.
void lettere::fitKeyFont()
{
    const QString face = program().state.NomeFont;
    LabelDimensionaFont->setText(QStringLiteral("  q "));
    QFont font = designFont(face, kDimensioneInizialeTasti, false);
    const double size =
        dimensioneFontAdatta(kDimensioneInizialeTasti, tastiera[0]->width(), [&](double points) {
            font.setPointSizeF(points);
            LabelDimensionaFont->setFont(font);
            return LabelDimensionaFont->sizeHint().width();
        });
    QFont keyFont = designFont(face, size, true);
    for (QPushButton* key : tastiera)
        key->setFont(keyFont);
}

void lettere::applyColours()
{
    const ProgramState& state = program().state;
    setTextColours(Label1, qtColor(state.ColoreFont), qtColor(state.ColoreSfondoTesto));
    for (int i = 0; i < kNumeroTasti; ++i)
        colourKey(i, state.ColoreBottoni);
    if (!state.ColoreCasuale)
        setBackground(state.ColoreSfondo);
}

void lettere::startScanning()
{
    const ProgramState& state = program().state;
    const int mode = input_->mode();
    if (mode == kModoMouse)
        return;
    SwitchBox* box = activeSwitchBox();
    paintArea(box, background(area()));
    box->show();
    if (state.ConRiquadro) {
        ShapeRiquadro->setBorder(
            std::clamp(state.SpessoreRiquadro, kSpessoreMinimo, kSpessoreMassimo),
            qtColor(state.ColoreBottoneSelezionato));
    }
    BottoneAvanti->setFocusPolicy(Qt::NoFocus); // the switches must reach the box
    Timer1->setInterval(mode == kModoScansioneAutomatica
                            ? intervalloScansioneMs(state.VelocitaScansione)
                            : kIntervalloFuocoMs);
    input_->avvia();
    focusSwitchBox();
}

void lettere::PresentaPersonaggio()
{
    const int picture2Left = pixelsToTwips(Picture2->x(), logicalDpiX());
    const int left = (picture2Left - kLarghezzaAgente) / 2;
    picAgent->setGeometry(twipsX(left), picAgent->y(), twipsX(kLarghezzaAgente),
                          picAgent->height());
    const QStringList testi = testiSaluto(program());
    if (testi.isEmpty() || !personaggio_)
        return;
    const QPoint at = picAgent->mapToGlobal(QPoint(0, 0)) + QPoint(0, kAbbassamentoAgentePx);
    personaggio_->MoveTo(at.x(), at.y());
    personaggio_->Show();
    for (const QString& testo : testi)
        personaggio_->Speak(engine_->ParametriVoce + testo);
}

void lettere::mnuEsci_Click()
{
    if (unloaded_)
        return;
    Timer1->stop();
    windows().showHome();
    windows().unload(this);
}

void lettere::Form_Unload()
{
    unloaded_ = true;
    if (activated_)
        windows().showHome(); // the close box leads back to the menu too
    Timer1->stop();
    // Helps still waiting stop after their wait, before the character goes.
    engine_->endExercise();
    engine_->setPersonaggio(nullptr);
    if (personaggio_)
        personaggio_->StopAll();
    personaggio_.reset();
}

void lettere::closeEvent(QCloseEvent* event)
{
    if (handling_ > 0 && testAttribute(Qt::WA_DeleteOnClose)) {
        setAttribute(Qt::WA_DeleteOnClose, false);
        deleteWhenIdle_ = true;
    }
    Form::closeEvent(event);
}

void lettere::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    // The resizer puts the frame back where it was recorded: it follows its key.
    if (frameTarget_)
        placeFrame(frameTarget_);
}

void lettere::Timer1_Timer()
{
    Handling handling(*this);
    input_->tick();
}

int lettere::TastoCorrente() const
{
    return engine_->TastoCorrente;
}

// --- Keys -------------------------------------------------------------------

void lettere::keyPressEvent(QKeyEvent* event)
{
    if (forwardToSwitchBox(event))
        return;
    event->accept();
    if (typing_.press(event->key(), event->isAutoRepeat())) {
        Handling handling(*this);
        input_->letterTyped(event->text());
    }
}

void lettere::keyReleaseEvent(QKeyEvent* event)
{
    if (forwardToSwitchBox(event))
        return;
    event->accept();
    int earlier = 0;
    if (typing_.release(event->key(), event->isAutoRepeat(), &earlier))
        typingRepeatWindow_->start();
}

// While scanning, a switch must never be lost because its box had lost the
// focus (to the menu bar, say): the box takes it back and the key.
bool lettere::forwardToSwitchBox(QKeyEvent* event)
{
    if (input_->mode() == kModoMouse)
        return false;
    SwitchBox* box = activeSwitchBox();
    if (box->isHidden())
        return false;
    box->setFocus(Qt::OtherFocusReason);
    QCoreApplication::sendEvent(box, event);
    return true;
}

SwitchBox* lettere::activeSwitchBox() const
{
    return input_->mode() == kModoScansioneAutomatica ? PictureScansioneAutomatica
                                                      : PictureScansioneManuale;
}

// SistemaRiquadro: the frame surrounds its target and is seen only when the
// target is.
void lettere::placeFrame(QWidget* target)
{
    if (!program().state.ConRiquadro)
        return;
    frameTarget_ = target;
    ShapeRiquadro->surround(target->geometry());
    ShapeRiquadro->setVisible(!target->isHidden());
}

// --- ExerciseView -------------------------------------------------------------

void lettere::setWordCaption(const QString& caption)
{
    Label1->setText(caption);
}

void lettere::showPicture(const QString& path)
{
    Image1->setPicture(path);
}

void lettere::showOutcome(bool right)
{
    ComandoIconaSi->setVisible(right);
    ComandoIconaNo->setVisible(!right);
}

void lettere::showCounters(int right, int wrong)
{
    EtichettaEsatti->setText(QString::number(right));
    EtichettaErrati->setText(QString::number(wrong));
    // A screen reader reads a counter with its caption: "Esatti 3", not "3".
    EtichettaEsatti->setAccessibleName(Label3->text() + QLatin1Char(' ') + EtichettaEsatti->text());
    EtichettaErrati->setAccessibleName(Label2->text() + QLatin1Char(' ') + EtichettaErrati->text());
}

void lettere::setBalloonText(const QString& text)
{
    LabelMerlino->setText(text);
    announceLiveText(LabelMerlino, text);
}

void lettere::setBalloonVisible(bool visible)
{
    LabelMerlino->setVisible(visible);
    if (visible)
        LabelMerlino->raise();
}

void lettere::setBackground(Colore colour)
{
    const QColor color = qtColor(colour);
    for (QWidget* widget : {area(), picAgent, static_cast<QWidget*>(PictureScansioneManuale),
                            static_cast<QWidget*>(PictureScansioneAutomatica)})
        paintArea(widget, color);
}

void lettere::colourKey(int key, Colore colour)
{
    if (key < 0 || key >= kNumeroTasti)
        return;
    ortolino::setBackground(tastiera[static_cast<size_t>(key)], qtColor(colour));
    if (colour == program().state.ColoreBottoneSelezionato) // the scan's mark moved here
        announceScanned(tastiera[static_cast<size_t>(key)]);
}

void lettere::placeFrameOnAvanti()
{
    placeFrame(BottoneAvanti);
}

void lettere::colourAvanti(Colore colour)
{
    ortolino::setBackground(BottoneAvanti, qtColor(colour));
    if (colour == program().state.ColoreBottoneSelezionato)
        announceScanned(BottoneAvanti);
}

void lettere::setAvantiEnabled(bool enabled)
{
    BottoneAvanti->setEnabled(enabled);
    // The picture is named by its word only once the word is complete: its
    // name must not give the answer away.
    Image1->setAccessibleName(enabled ? Label1->text().simplified() : QString());
}

void lettere::focusAvanti()
{
    if (input_->mode() == kModoMouse)
        BottoneAvanti->setFocus();
    else
        focusSwitchBox(); // while scanning the switches must keep reaching the box
}

void lettere::endExercise()
{
    // The engine is still on the stack: close once control is back in the loop.
    QMetaObject::invokeMethod(this, &lettere::mnuEsci_Click, Qt::QueuedConnection);
}

void lettere::showWaitingNotice()
{
    Picture1->show();
    Picture1->raise();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void lettere::hideWaitingNotice()
{
    Picture1->hide();
}

// --- ScanView -------------------------------------------------------------------

void lettere::placeFrameOnKey(int key)
{
    placeFrame(tastiera[static_cast<size_t>(key)]);
}

void lettere::focusSwitchBox()
{
    SwitchBox* box = activeSwitchBox();
    if (!box->isHidden())
        box->setFocus(Qt::OtherFocusReason);
}

void lettere::runTimer1(bool running)
{
    if (running)
        Timer1->start();
    else
        Timer1->stop();
}

} // namespace ortolino
