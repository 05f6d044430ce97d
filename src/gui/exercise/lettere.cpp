#include "gui/exercise/lettere.h"

#include "core/app/Program.h"
#include "core/exercise/CompactKeyboard.h"
#include "core/exercise/ExerciseEngine.h"
#include "core/exercise/Presentazione.h"
#include "core/platform/ResizeMath.h"
#include "core/platform/SpeakingCharacter.h"
#include "core/words/KeyCaptions.h"
#include "core/words/MaskedWord.h"
#include "gui/widgets/Accessibility.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/Controls.h"
#include "gui/widgets/FittedText.h"
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
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVariantAnimation>
#include <utility>

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

// The character's place is 1600 twips wide, centred left of the picture; the
// character and its balloon stand in the free space left of the picture and
// above the word, this far from both.
constexpr int kLarghezzaAgente = 1600;
constexpr int kAbbassamentoAgentePx = 50;
constexpr int kDistanzaPx = 6;

// The praise of a finished word: the tick grows by a third and settles, the
// word flashes once; short, and the next word may start at once.
constexpr int kLodeMs = 700;
constexpr int kLampoMs = 350;
constexpr double kCrescitaSpunta = 1.35;
const QColor kLampo(190, 245, 190);

// The marked key grows by a third when the child's highlight is enlarged.
constexpr double kIngrandimentoEvidenziato = 4.0 / 3.0;

constexpr double kDimensioneInizialeTasti = 14.25;
// A key's letter keeps this share of the key's smaller side free on every side.
constexpr double kMargineTasto = 0.14;
// Design sizes of the counters' captions and numbers, in points.
constexpr double kDimensioneDidascalie = 14;
constexpr double kDimensioneContatori = 24;
constexpr double kDimensioneAvanti = 18;
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

// Only the background role and the texts on it (the counters): buttons
// inside keep their own colour.
void paintArea(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    setReadableText(palette, color);
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
    input_ =
        std::make_unique<KeyboardInput>(program.state, *engine_, static_cast<ExerciseView&>(*this),
                                        static_cast<ScanView&>(*this), program.services.clock);
    createPictureArea();
    createCounters();
    createKeyboard();
    createScanning();
    createMenus();
}

lettere::~lettere() = default;

void lettere::createPictureArea()
{
    characterPlace_ = named(new QWidget(area()), "picAgent");
    place(characterPlace_, 280, 1800, kLarghezzaAgente, 2400);

    pictureFrame_ = named(new QFrame(area()), "Picture2");
    pictureFrame_->setFrameStyle(QFrame::Box | QFrame::Plain);
    place(pictureFrame_, 2160, 240, 5760, 3720);
    picture_ = named(new PictureBox(pictureFrame_), "Image1");
    place(picture_, 60, 60, 5640, 3600);

    // The helps' letter (or word) stands beside the word, where it covers
    // nothing of the picture.
    balloon_ = named(new FittedLabel(QStringLiteral("Merlino"), area()), "LabelMerlino");
    balloon_->setAlignment(Qt::AlignCenter);
    balloon_->setFrameStyle(QFrame::Box | QFrame::Plain);
    balloon_->setLineWidth(2);
    place(balloon_, 8160, 4200, 1860, 1320);
    balloon_->hide();

    word_ = named(new FittedLabel(QString(), area()), "Label1");
    word_->setAlignment(Qt::AlignCenter);
    place(word_, 240, 4200, 7800, 1320);

    waitingNotice_ = named(new QFrame(area()), "Picture1");
    waitingNotice_->setFrameStyle(QFrame::Box | QFrame::Plain);
    paintArea(waitingNotice_, QColor(255, 255, 225));
    place(waitingNotice_, 2160, 1560, 5760, 1080);
    waitingText_ =
        named(new QLabel(QStringLiteral("Attendere : sto caricando la lista delle immagini"),
                         waitingNotice_),
              "Label4");
    waitingText_->setFont(designFont(QStringLiteral("Arial"), 12, true));
    waitingText_->setAlignment(Qt::AlignCenter);
    waitingText_->setWordWrap(true);
    place(waitingText_, 120, 120, 5520, 840);
    waitingNotice_->hide();
}

void lettere::createCounters()
{
    const QString face = QStringLiteral("Comic Sans MS");
    rightCaption_ = named(new FittedLabel(QStringLiteral("Esatti"), area()), "Label3");
    rightCaption_->setFont(designFont(face, kDimensioneDidascalie, true));
    place(rightCaption_, 8280, 360, 1620, 420);
    rightCount_ = named(new FittedLabel(QStringLiteral("0"), area()), "EtichettaEsatti");
    rightCount_->setFont(designFont(face, kDimensioneContatori, true));
    place(rightCount_, 8280, 780, 1620, 600);
    wrongCaption_ = named(new FittedLabel(QStringLiteral("Errati"), area()), "Label2");
    wrongCaption_->setFont(designFont(face, kDimensioneDidascalie, true));
    place(wrongCaption_, 8280, 1500, 1620, 420);
    wrongCount_ = named(new FittedLabel(QStringLiteral("0"), area()), "EtichettaErrati");
    wrongCount_->setFont(designFont(face, kDimensioneContatori, true));
    place(wrongCount_, 8280, 1920, 1620, 600);

    rightIcon_ = named(new PictureBox(area()), "ComandoIconaSi");
    rightIcon_->setImage(iconaEsito(true));
    place(rightIcon_, 8520, 2760, 960, 960);
    wrongIcon_ = named(new PictureBox(area()), "ComandoIconaNo");
    wrongIcon_->setImage(iconaEsito(false));
    place(wrongIcon_, 8520, 2760, 960, 960);
    wrongIcon_->hide();
}

void lettere::createKeyboard()
{
    const QFont keyFont = designFont(QStringLiteral("Arial"), 12, true);
    for (const Riga& riga : kRighe) {
        for (int i = riga.first; i <= riga.last; ++i) {
            auto* key = named(new SolidButton(QString(), area()), "tastiera", i);
            key->setFont(keyFont);
            key->setInkCentred(true);
            key->setFocusPolicy(Qt::NoFocus); // typed letters and switches reach the window
            place(key, riga.left + (i - riga.first) * kPassoTasti, riga.top, kLarghezzaTasto,
                  kAltezzaTasto);
            connect(key, &QPushButton::clicked, this, [this, i] {
                Handling handling(*this);
                input_->keyClicked(i);
            });
            keys_[static_cast<size_t>(i)] = key;
        }
    }
    avanti_ = named(new SolidButton(QStringLiteral("avanti"), area()), "BottoneAvanti");
    avanti_->setFont(designFont(QStringLiteral("Comic Sans MS"), kDimensioneAvanti, true));
    avanti_->setEnabled(false);
    avanti_->setAutoDefault(true); // Enter on it goes on, as Space does
    place(avanti_, 8160, 6720, 1725, 900);
    connect(avanti_, &QPushButton::clicked, this, [this] {
        Handling handling(*this);
        input_->avantiClicked();
    });

    // Reached by the scan only (a mouse user has the menu bar's "Esci").
    backToMenu_ = named(new SolidButton(QStringLiteral("menu"), area()), "BottoneMenu");
    backToMenu_->setFont(designFont(QStringLiteral("Comic Sans MS"), 12, true));
    backToMenu_->setFocusPolicy(Qt::NoFocus);
    place(backToMenu_, 8160, 5940, 1725, 600); // above "avanti", clear of either keyboard
    backToMenu_->hide();
}

void lettere::createScanning()
{
    manualSwitch_ = new SwitchBox(QStringLiteral("PictureScansioneManuale"), area());
    autoSwitch_ = new SwitchBox(QStringLiteral("PictureScansioneAutomatica"), area());
    for (SwitchBox* box : {manualSwitch_, autoSwitch_}) {
        place(box, 9780, 7680, 240, 240);
        box->hide();
        connect(box, &SwitchBox::keyDown, this, [this](int key) {
            Handling handling(*this);
            input_->switchDown(key);
        });
        connect(box, &SwitchBox::keyUp, this, [this](int key) {
            Handling handling(*this);
            const TastoSensore sensor = tastoSensore(key);
            AuditoryScan::Choosing choosing(auditory_, input_->mode() == kModoScansioneManuale
                                                           ? sensor == TastoSensore::Invio
                                                           : sensor == TastoSensore::Spazio);
            input_->switchUp(key);
        });
        connect(box, &SwitchBox::heldKeysLost, this, [this] {
            Handling handling(*this);
            input_->keysLost();
        });
    }

    pauseSign_ = named(new QLabel(area()), "LabelPausa");
    pauseSign_->setAlignment(Qt::AlignCenter);
    pauseSign_->setWordWrap(true);
    pauseSign_->setFrameStyle(QFrame::Box | QFrame::Plain);
    pauseSign_->setLineWidth(3);
    setTextColours(pauseSign_, Qt::black, QColor(255, 255, 225));
    pauseSign_->setFont(designFont(QStringLiteral("Arial"), 20, true));
    place(pauseSign_, 2160, 1560, 5760, 1080); // over the picture, as the waiting notice
    pauseSign_->hide();

    scanFrame_ = named(new ShapeControl(area()), "ShapeRiquadro");
    place(scanFrame_, 480, 5880, kLarghezzaTasto, kAltezzaTasto);
    scanFrame_->hide();

    // Kept for the language files, which name it; the keys' letters are
    // fitted to the keys themselves (fitTexts).
    fontGauge_ =
        named(new QLabel(QStringLiteral("dimensiona font "), area()), "LabelDimensionaFont");
    fontGauge_->setFont(designFont(QStringLiteral("Arial"), kDimensioneInizialeTasti, false));
    place(fontGauge_, 120, 7680, 1200, 300);
    fontGauge_->hide();

    scanTimer_ = named(new QTimer(this), "Timer1");
    scanTimer_->setTimerType(Qt::PreciseTimer); // the scan's pace is what the child follows
    scanTimer_->setInterval(kIntervalloFuocoMs);
    connect(scanTimer_, &QTimer::timeout, this, &lettere::Timer1_Timer);

    typingRepeatWindow_ = new QTimer(this);
    typingRepeatWindow_->setSingleShot(true);
    typingRepeatWindow_->setInterval(SwitchKeys::kRepeatWindowMs);
    connect(typingRepeatWindow_, &QTimer::timeout, this, [this] { typing_.takePendingRelease(); });
}

void lettere::createMenus()
{
    QMenuBar* bar = menuBar();
    resetAction_ = named(bar->addAction(QStringLiteral("&Azzera conteggio")), "mnuAzzera");
    connect(resetAction_, &QAction::triggered, this, [this] { engine_->AzzeraConteggio(); });

    QMenu* colori = bar->addMenu(QStringLiteral("&Colori"));
    named(colori->menuAction(), "mnuColori");
    colourAction_ = named(colori->addAction(QStringLiteral("Colori")), "mnuCol");
    greyAction_ = named(colori->addAction(QStringLiteral("Scala di grigi")), "mnuGrigio");
    auto* group = new QActionGroup(this);
    for (QAction* action : {colourAction_, greyAction_}) {
        action->setCheckable(true);
        group->addAction(action);
    }
    colourAction_->setChecked(true);
    connect(greyAction_, &QAction::toggled, this,
            [this](bool grey) { picture_->setGreyScale(grey); });
    connect(colori, &QMenu::aboutToShow, this, &lettere::forgetTypedKeys);

    exitAction_ = named(bar->addAction(QStringLiteral("&Esci")), "mnuEsci");
    connect(exitAction_, &QAction::triggered, this, &lettere::mnuEsci_Click);
}

// --- Life cycle -----------------------------------------------------------

void lettere::Form_Load()
{
    placeCompactKeyboard(); // before the resizer records the design
    Form::Form_Load();      // translation, then the resizer at 75 % of the screen
    menuCaption_ = backToMenu_->text();
    ImpostaTastiera(program().state);
    for (int i = 0; i < kNumeroTasti; ++i) {
        QPushButton* key = keys_[static_cast<size_t>(i)];
        key->setText(program().state.LettereTastiera[static_cast<size_t>(i + 1)]);
        key->setVisible(program().state.LettereAttive[static_cast<size_t>(i)]);
    }
    CaricaPersonaggio();
}

// The child's keyboard for scanning: only the active letters, in their order,
// as large as the keyboard's area allows.
void lettere::placeCompactKeyboard()
{
    const ProgramState& state = program().state;
    if (!state.compactKeyboard)
        return;
    compactOrder_ = compactKeyOrder(state, state.compactOrder, program().text(kLetterFrequencyKey));
    const Riga& top = kRighe.front();
    const Riga& bottom = kRighe.back();
    const QRect area(top.left, top.top, (top.last - top.first) * kPassoTasti + kLarghezzaTasto,
                     bottom.top + kAltezzaTasto - top.top);
    const std::vector<QRect> places =
        compactKeyboardLayout(int(compactOrder_.size()), area, {kLarghezzaTasto, kAltezzaTasto},
                              kPassoTasti - kLarghezzaTasto);
    for (size_t i = 0; i < places.size(); ++i) {
        const QRect& at = places[i];
        place(keys_[static_cast<size_t>(compactOrder_[i])], at.left(), at.top(), at.width(),
              at.height());
    }
    input_->setScanOrder(compactOrder_);
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
    balloon_->setFont(settingFont(state.NomeFont, state.DimensioneFont));
    keysFont_ = designFont(state.NomeFont, kDimensioneInizialeTasti, true);
    paintArea(balloon_, qtColor(state.ColoreSfondoTesto));
    setPointers();
    engine_->CaricaParole();
    engine_->NuovaParola();
    if (!engine_->running())
        return; // no word can serve: the window is on its way back to the menu
    engine_->TastoCorrente = kNumeroTasti - 1;
    word_->setFont(settingFont(state.NomeFont, state.DimensioneFont));
    fitTexts();
    if (!state.ColoriDiSistema)
        applyColours();
    startScanning();
    paintArea(characterPlace_, background(area()));
    engine_->ParametriVoce = parametriVoce(state.VelocitaVoce, state.TonoVoce);
    PresentaPersonaggio();
}

void lettere::setPointers()
{
    const QCursor keys =
        program().state.MouseDiSistema ? QCursor(Qt::ArrowCursor) : pencilPointer();
    for (QPushButton* key : keys_)
        key->setCursor(keys);
    avanti_->setCursor(Qt::ArrowCursor);
}

// The child's text follows the window: the sizes the teacher chose (and
// the design's sizes of the counters) hold at the design size and grow and
// shrink with the window, each as far as its box allows. The keys' letters
// share one size, the largest at which three letters in four fit their keys;
// a taller letter (a cursive f reaches far up and down) gets the size at which
// it fits, so that the short letters are not made tiny for its sake.
void lettere::fitTexts()
{
    const double scale = textScale(area()->width() / double(twipsX(kDesign.width())),
                                   area()->height() / double(twipsY(kDesign.height())));
    const ProgramState& state = program().state;
    word_->setCeiling(state.DimensioneFont * scale);
    balloon_->setCeiling(state.DimensioneFont * scale);
    for (FittedLabel* caption : {rightCaption_, wrongCaption_})
        caption->setCeiling(kDimensioneDidascalie * scale);
    for (FittedLabel* count : {rightCount_, wrongCount_})
        count->setCeiling(kDimensioneContatori * scale);
    const QSizeF avantiInside = QSizeF(avanti_->size()) * 0.8;
    avanti_->setFont(fittedFont(avanti_->font(), kDimensioneAvanti * scale, {avanti_->text()},
                                avantiInside, TextFit::Line));
    // One size for both of the target's captions, so it does not jump when it asks.
    backToMenu_->setFont(fittedFont(backToMenu_->font(), kDimensioneAvanti * scale,
                                    {menuCaption_, program().text(QStringLiteral("0401"))},
                                    QSizeF(backToMenu_->size()) * 0.85, TextFit::Line));

    const QSizeF keySize = keys_[compactOrder_.empty() ? 0 : size_t(compactOrder_.front())]->size();
    const double margin = std::min(keySize.width(), keySize.height()) * kMargineTasto;
    const QSizeF inside = keySize - QSizeF(2 * margin, 2 * margin);
    std::array<QFont, kNumeroTasti> own;
    std::array<double, kNumeroTasti> sizes{};
    for (size_t i = 0; i < own.size(); ++i) {
        own[i] = fittedFont(keysFont_, keySize.height(), {keys_[i]->text()}, inside, TextFit::Ink);
        sizes[i] = own[i].pointSizeF();
    }
    std::nth_element(sizes.begin(), sizes.begin() + kNumeroTasti / 4, sizes.end());
    const double shared = sizes[kNumeroTasti / 4];
    for (size_t i = 0; i < own.size(); ++i) {
        if (own[i].pointSizeF() > shared)
            own[i].setPointSizeF(shared);
        keys_[i]->setFont(own[i]);
    }
}

void lettere::applyColours()
{
    const ProgramState& state = program().state;
    setTextColours(word_, qtColor(state.ColoreFont), qtColor(state.ColoreSfondoTesto));
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
        scanFrame_->setBorder(std::clamp(state.SpessoreRiquadro, kSpessoreMinimo, kSpessoreMassimo),
                              highlightColor(state));
    }
    avanti_->setFocusPolicy(Qt::NoFocus); // the switches must reach the box
    QStringList items;
    const QString names = program().text(kLetterNamesKey);
    for (int key = 0; key < kNumeroTasti; ++key) {
        if (state.LettereAttive[static_cast<size_t>(key)])
            items << letterName(names, keys_[static_cast<size_t>(key)]->text());
    }
    items << spokenCaption(avanti_->text());
    if (state.backToMenuTarget)
        items << spokenCaption(menuCaption_);
    auditory_.start(program(), items);
    if (!compactOrder_.empty()) // the first step reaches the first key of the layout
        engine_->TastoCorrente = compactOrder_.back();
    input_->avvia();
    pauseSign_->setText(program().text(QStringLiteral("0402")));
    if (!state.ColoriDiSistema)
        ortolino::setBackground(backToMenu_, qtColor(state.ColoreBottoni));
    backToMenu_->setVisible(input_->backTarget());
    focusSwitchBox();
}

void lettere::PresentaPersonaggio()
{
    const int picture2Left = pixelsToTwips(pictureFrame_->x(), logicalDpiX());
    const int left = (picture2Left - kLarghezzaAgente) / 2;
    characterPlace_->setGeometry(twipsX(left), characterPlace_->y(), twipsX(kLarghezzaAgente),
                                 characterPlace_->height());
    const QStringList testi = testiSaluto(program());
    if (testi.isEmpty() || !personaggio_)
        return;
    characterShown_ = true;
    moveCharacter();
    personaggio_->Show();
    for (const QString& testo : testi)
        personaggio_->Speak(engine_->ParametriVoce + testo);
}

// The character belongs to this window: it moves with it, and it and its
// balloon stand where they cover none of the child's work.
void lettere::moveCharacter()
{
    const QRect free(0, 0, pictureFrame_->x() - kDistanzaPx, word_->y() - kDistanzaPx);
    personaggio_->setStage(area(), free);
    const QPoint at = characterPlace_->mapToGlobal(QPoint(0, 0)) + QPoint(0, kAbbassamentoAgentePx);
    personaggio_->MoveTo(at.x(), at.y());
}

void lettere::mnuEsci_Click()
{
    if (unloaded_)
        return;
    scanTimer_->stop();
    windows().showHome();
    windows().unload(this);
}

void lettere::Form_Unload()
{
    unloaded_ = true;
    if (activated_)
        windows().showHome(); // the close box leads back to the menu too
    scanTimer_->stop();
    auditory_.end();
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
    // The resizer places every control at its own size; the enlarged one
    // grows again from there. A praise under way ends first: its tick would
    // settle back into the box it had before.
    settlePraise();
    QWidget* enlarged = enlarged_;
    restoreEnlarged();
    Form::resizeEvent(event);
    if (enlarged)
        enlarge(enlarged);
    // The resizer puts the frame back where it was recorded: it follows its key.
    if (frameTarget_)
        placeFrame(frameTarget_);
    if (activated_)
        fitTexts();
    if (characterShown_ && personaggio_)
        moveCharacter();
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
        input_->letterTyped(event->text(), tastoAllaPosizione(int(event->nativeScanCode())));
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

void lettere::changeEvent(QEvent* event)
{
    Form::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        forgetTypedKeys();
}

// A typed key held while the window lost the keyboard (to its "Colori" menu,
// to another window) is released there: its next press here is a new letter,
// which would otherwise pass for the held key repeating and be lost.
void lettere::forgetTypedKeys()
{
    typingRepeatWindow_->stop();
    typing_.forget();
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
    return input_->mode() == kModoScansioneAutomatica ? autoSwitch_ : manualSwitch_;
}

// SistemaRiquadro: the frame surrounds its target and is seen only when the
// target is.
void lettere::placeFrame(QWidget* target)
{
    if (!program().state.ConRiquadro)
        return;
    frameTarget_ = target;
    scanFrame_->surround(target->geometry());
    scanFrame_->setVisible(!target->isHidden());
}

// --- ExerciseView -------------------------------------------------------------

void lettere::setWordCaption(const QString& caption)
{
    word_->setText(caption);
}

// The caption's ink lies within the whole word's and a blank's (a blank's
// line reaches below the letters).
void lettere::setWholeWord(const QString& word)
{
    word_->setSteadyText(QString(word).append(MaskedWord::kBlankMark));
}

void lettere::showPicture(const QString& path)
{
    picture_->setPicture(path);
}

bool lettere::canShowPicture(const QString& path) const
{
    return QImageReader(path).canRead();
}

void lettere::showOutcome(bool right)
{
    rightIcon_->setVisible(right);
    wrongIcon_->setVisible(!right);
}

void lettere::showCounters(int right, int wrong)
{
    rightCount_->setText(QString::number(right));
    wrongCount_->setText(QString::number(wrong));
    // A screen reader reads a counter with its caption: "Esatti 3", not "3".
    rightCount_->setAccessibleName(rightCaption_->text() + QLatin1Char(' ') + rightCount_->text());
    wrongCount_->setAccessibleName(wrongCaption_->text() + QLatin1Char(' ') + wrongCount_->text());
}

void lettere::setBalloonText(const QString& text)
{
    balloon_->setSteadyText(text); // the third help's letter as large as its box allows
    balloon_->setText(text);
    announceLiveText(balloon_, text);
}

void lettere::setBalloonVisible(bool visible)
{
    balloon_->setVisible(visible);
    if (visible)
        balloon_->raise();
}

void lettere::setBackground(Colore colour)
{
    const QColor color = qtColor(colour);
    for (QWidget* widget : {area(), characterPlace_, static_cast<QWidget*>(manualSwitch_),
                            static_cast<QWidget*>(autoSwitch_)})
        paintArea(widget, color);
}

void lettere::colourKey(int key, Colore colour)
{
    SolidButton* button = scanTarget(key);
    if (button == nullptr)
        return;
    ortolino::setBackground(button, qtColor(colour));
    const bool marked = colour == program().state.ColoreBottoneSelezionato;
    button->setMarked(marked);
    if (!marked && enlarged_ == button)
        restoreEnlarged();
    if (marked) { // the scan's mark moved here
        enlarge(button);
        announceScanned(button);
        markReached(button);
    }
}

void lettere::placeFrameOnAvanti()
{
    enlarge(avanti_);
    placeFrame(avanti_);
    markReached(avanti_);
}

void lettere::colourAvanti(Colore colour)
{
    ortolino::setBackground(avanti_, qtColor(colour));
    const bool marked = colour == program().state.ColoreBottoneSelezionato;
    avanti_->setMarked(marked);
    if (!marked && enlarged_ == avanti_)
        restoreEnlarged();
    if (marked) {
        enlarge(avanti_);
        announceScanned(avanti_);
        markReached(avanti_);
    }
}

void lettere::setAvantiEnabled(bool enabled)
{
    // A letter chosen once the word is complete (or a help's wait ending
    // after the word was completed inside it) enables "avanti" again: the
    // word is praised once, when it is completed.
    const bool completed = enabled && !avanti_->isEnabled();
    avanti_->setEnabled(enabled);
    if (completed)
        praise();
    // The picture is named by its word only once the word is complete: its
    // name must not give the answer away.
    picture_->setAccessibleName(enabled ? word_->text().simplified() : QString());
}

// Seen with or without sound: the tick grows and settles, the word flashes
// once, the character cheers; a still screen for a child whom motion distracts.
void lettere::praise()
{
    if (!program().state.celebration)
        return;
    settlePraise(); // a word finished during the last one's praise
    auto* grow = new QVariantAnimation(this);
    praising_ = grow;
    grow->setDuration(kLodeMs);
    grow->setStartValue(1.0);
    grow->setKeyValueAt(0.35, kCrescitaSpunta);
    grow->setEndValue(1.0);
    grow->setEasingCurve(QEasingCurve::OutCubic);
    // The box takes its largest size once and the frames zoom the picture
    // inside it: resizing it at every frame would scale the picture anew each
    // time and hold the next word's letters back.
    const QRect tick = rightIcon_->geometry();
    QRectF largest(QPointF(), QSizeF(tick.size()) * kCrescitaSpunta);
    largest.moveCenter(QRectF(tick).center());
    rightIcon_->setGeometry(largest.toRect());
    rightIcon_->setZoom(1.0 / kCrescitaSpunta);
    rightIcon_->raise();
    connect(grow, &QVariantAnimation::valueChanged, rightIcon_,
            [this](const QVariant& v) { rightIcon_->setZoom(v.toDouble() / kCrescitaSpunta); });
    connect(grow, &QAbstractAnimation::finished, rightIcon_, [this, tick] {
        rightIcon_->setZoom(1.0);
        rightIcon_->setGeometry(tick);
    });
    grow->start(QAbstractAnimation::DeleteWhenStopped);

    bandBeforeFlash_ = word_->palette();
    QPalette flash = *bandBeforeFlash_;
    flash.setColor(QPalette::Window, kLampo);
    word_->setPalette(flash);
    QTimer::singleShot(kLampoMs, word_, [this] { endFlash(); });

    if (personaggio_ && characterShown_)
        personaggio_->Play(QStringLiteral("cheer"));
}

// Ends the praise under way at once, the tick back in its box.
void lettere::settlePraise()
{
    if (praising_)
        praising_->setCurrentTime(praising_->duration());
    endFlash();
}

// The band takes back the colours it had before the flash, even when another
// flash began meanwhile: it would otherwise keep the flash's colour.
void lettere::endFlash()
{
    if (bandBeforeFlash_)
        word_->setPalette(*std::exchange(bandBeforeFlash_, std::nullopt));
}

void lettere::focusAvanti()
{
    if (input_->mode() == kModoMouse)
        avanti_->setFocus();
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
    waitingNotice_->show();
    waitingNotice_->raise();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void lettere::hideWaitingNotice()
{
    waitingNotice_->hide();
}

// --- ScanView -------------------------------------------------------------------

void lettere::placeFrameOnKey(int key)
{
    SolidButton* target = scanTarget(key);
    if (target == nullptr)
        return;
    enlarge(target);
    placeFrame(target);
    markReached(target);
}

// With the child's setting on, the marked key (or "avanti") grows by a third
// around its centre, kept inside the window, and stands above its neighbours.
void lettere::enlarge(QWidget* target)
{
    if (enlarged_ == target)
        return;
    restoreEnlarged();
    if (!program().state.enlargeHighlighted || target->isHidden())
        return;
    enlarged_ = target;
    enlargedFrom_ = target->geometry();
    QRect grown(QPoint(), (QSizeF(enlargedFrom_.size()) * kIngrandimentoEvidenziato).toSize());
    grown.moveCenter(enlargedFrom_.center());
    const QRect inside = area()->rect();
    grown.moveLeft(std::clamp(grown.left(), inside.left(), inside.right() - grown.width()));
    grown.moveTop(std::clamp(grown.top(), inside.top(), inside.bottom() - grown.height()));
    target->setGeometry(grown);
    // Its caption grows with it: a bigger key with the same small letter
    // would not help a child who needs the mark enlarged to see it.
    enlargedFont_ = target->font();
    QFont bigger = enlargedFont_;
    bigger.setPointSizeF(enlargedFont_.pointSizeF() * kIngrandimentoEvidenziato);
    target->setFont(bigger);
    target->raise();
}

void lettere::restoreEnlarged()
{
    if (enlarged_) {
        enlarged_->setGeometry(enlargedFrom_);
        enlarged_->setFont(enlargedFont_);
    }
    enlarged_ = nullptr;
}

// A key is heard by its letter's name, "avanti" and the "menu" target by
// their captions. The automatic step lasts at least as long as the name, and
// a little more (the scanning's timing rules).
void lettere::markReached(QWidget* target)
{
    if (!auditory_.on() || target->isHidden())
        return;
    const QString name = target == avanti_ || target == backToMenu_
                             ? spokenCaption(static_cast<QPushButton*>(target)->text())
                             : letterName(program().text(kLetterNamesKey),
                                          static_cast<QPushButton*>(target)->text());
    input_->itemSpoken(auditory_.reached(target, name));
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
        scanTimer_->start();
    else
        scanTimer_->stop();
}

void lettere::setTimer1Interval(int ms)
{
    scanTimer_->setInterval(ms);
}

void lettere::showPaused(bool paused)
{
    pauseSign_->setVisible(paused);
    if (paused) {
        pauseSign_->raise();
        scanFrame_->hide(); // the mark comes back with the scan
        restoreEnlarged();
    }
    announceLiveText(pauseSign_, paused ? pauseSign_->text() : QString());
}

void lettere::showAsking(bool asking)
{
    backToMenu_->setText(asking ? program().text(QStringLiteral("0401")) : menuCaption_);
    if (asking)
        announceLiveText(backToMenu_, backToMenu_->text());
}

SolidButton* lettere::scanTarget(int position) const
{
    if (position == kTastoMenu)
        return backToMenu_;
    if (position < 0 || position >= kNumeroTasti)
        return nullptr;
    return keys_[static_cast<size_t>(position)];
}

} // namespace ortolino
