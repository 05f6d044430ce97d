#include "gui/menu/FormMenu.h"

#include "core/app/LanguageChoice.h"
#include "core/app/Program.h"
#include "core/app/Users.h"
#include "core/config/ConfigUsers.h"
#include "core/history/History.h"
#include "core/menu/MenuLog.h"
#include "core/menu/MenuPictures.h"
#include "core/platform/DocumentOpener.h"
#include "core/platform/MessageBoxes.h"
#include "core/words/WordCatalogue.h"
#include "gui/widgets/Accessibility.h"
#include "gui/widgets/ClickLabel.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/Controls.h"
#include "gui/widgets/FittedText.h"
#include "gui/widgets/FormTranslator.h"
#include "gui/widgets/Pointer.h"
#include "gui/widgets/SwitchBox.h"
#include "gui/widgets/WindowManager.h"

#include <algorithm>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

namespace ortolino {

namespace {

constexpr Colore kColoreProgetto = 0xC0FFFF; // pale yellow
const QColor kRosso(255, 0, 0);              // the lit button

// Design captions and pictures of the five buttons, in index order.
struct Pulsante
{
    const char* caption;
    const char* picture;
};
constexpr std::array<Pulsante, kPulsantiMenu> kPulsanti = {{
    {"LETTERA INIZIALE", ":/menu/iniziale.svg"},
    {"UNA LETTERA NELLA PAROLA", ":/menu/una.svg"},
    {"DUE LETTERE NELLA PAROLA", ":/menu/due.svg"},
    {"TUTTE LE LETTERE SELEZIONATE", ":/menu/tutte.svg"},
    {"ESCI", ":/menu/esci.svg"},
}};

// Two columns: kinds 0 to 2 on the left; kind 3 at the top and "ESCI" at the
// bottom on the right. Positions in twips of the 12000 x 8400 design area.
constexpr int kRigaAlto = 840;
constexpr int kPassoRiga = 2400;
constexpr int kAltezzaRiga = 2160;
constexpr std::array<int, kPulsantiMenu> kColonna = {0, 0, 0, 1, 1};
constexpr std::array<int, kPulsantiMenu> kRiga = {0, 1, 2, 0, 2};
constexpr std::array<int, 2> kSinistraFigura = {360, 6240};
constexpr int kLarghezzaFigura = 2040;
constexpr std::array<int, 2> kSinistraPulsante = {2520, 8400};
constexpr int kLarghezzaPulsante = 3240;

} // namespace

FormMenu::FormMenu(Program& program, WindowManager& windows)
    : Form(QStringLiteral("FormMenu"), program, windows, QSize(12000, 8400))
{
    setWindowTitle(QStringLiteral("Ortolino"));
    setBackground(area(), qtColor(kColoreProgetto));
    area()->setMouseTracking(true);
    area()->installEventFilter(this);

    users_ = named(new QComboBox(area()), "Combo1");
    users_->setFont(designFont(QStringLiteral("Arial"), 8.25));
    place(users_, 4200, 180, 3600, 480);
    connect(users_, &QComboBox::activated, this, [this] { Combo1_Click(); });
    users_->installEventFilter(this);
    // The names fit the list's box, in any face (a cursive's tall loops too).
    usersFit_ = new FontFitter({users_}, 34, [this] {
        QStringList names;
        for (int i = 0; i < users_->count(); ++i)
            names << users_->itemText(i);
        return names;
    });

    createButtons();
    createSwitchBoxes();
    createMenus();

    named(statusBar(), "StatusBar1");
    statusText_ = new QLabel(statusBar());
    statusBar()->addWidget(statusText_, 1);

    scanTimer_ = named(new QTimer(this), "Timer1");
    scanTimer_->setTimerType(Qt::PreciseTimer); // the scan's pace is what the child follows
    scanTimer_->setInterval(kIntervalloFuocoMs);
    connect(scanTimer_, &QTimer::timeout, this, &FormMenu::Timer1_Timer);
}

void FormMenu::createButtons()
{
    for (int i = 0; i < kPulsantiMenu; ++i) {
        const auto index = static_cast<size_t>(i);
        const int column = kColonna[index];
        const int top = kRigaAlto + kRiga[index] * kPassoRiga;

        auto* picture = named(new ClickLabel(area()), "Image1", i);
        picture->setPicture(QString::fromLatin1(kPulsanti[index].picture));
        pictures_[index] = picture;
        place(picture, kSinistraFigura[static_cast<size_t>(column)], top, kLarghezzaFigura,
              kAltezzaRiga);
        connect(picture, &ClickLabel::clicked, this, [this, i] { Image1_Click(i); });
        connect(picture, &ClickLabel::pointerMoved, this, [this, i] { Command1_MouseMove(i); });

        auto* button = named(new ClickLabel(QString::fromUtf8(kPulsanti[index].caption), area()),
                             "Command1", i);
        button->setFont(
            designFont(QStringLiteral("Verdana"), i == kPulsantiMenu - 1 ? 18.0 : 15.75, true));
        button->setAlignment(Qt::AlignCenter);
        button->setWordWrap(true);
        button->setFrameStyle(QFrame::Box | QFrame::Plain);
        button->setLineWidth(2);
        button->setCursor(pencilPointer());
        place(button, kSinistraPulsante[static_cast<size_t>(column)], top, kLarghezzaPulsante,
              kAltezzaRiga);
        connect(button, &ClickLabel::clicked, this, [this, i] { Command1_Click(i); });
        connect(button, &ClickLabel::pointerMoved, this, [this, i] { Command1_MouseMove(i); });
        buttons_[index] = button;
    }
}

void FormMenu::createSwitchBoxes()
{
    manualSwitch_ = new SwitchBox(QStringLiteral("PictureScansioneManuale"), area());
    autoSwitch_ = new SwitchBox(QStringLiteral("PictureScansioneAutomatica"), area());
    for (SwitchBox* box : {manualSwitch_, autoSwitch_}) {
        place(box, 11400, 7800, 495, 495);
        box->hide();
    }
    for (SwitchBox* box : {manualSwitch_, autoSwitch_}) {
        connect(box, &SwitchBox::keyDown, this, &FormMenu::PictureScansione_KeyDown);
        // The focus went away with the switch held: resume without choosing.
        connect(box, &SwitchBox::heldKeysLost, this, [this] {
            scansione_.pressionePersa();
            mostraScansione();
        });
    }
    connect(manualSwitch_, &SwitchBox::keyUp, this, &FormMenu::PictureScansioneManuale_KeyUp);
    connect(autoSwitch_, &SwitchBox::keyUp, this, &FormMenu::PictureScansioneAutomatica_KeyUp);

    // The scan paused after its rounds, or "ESCI" waiting for its confirmation.
    scanSign_ = named(new QLabel(area()), "LabelSegnale");
    scanSign_->setAlignment(Qt::AlignCenter);
    scanSign_->setWordWrap(true);
    scanSign_->setFrameStyle(QFrame::Box | QFrame::Plain);
    scanSign_->setLineWidth(3);
    scanSign_->setAutoFillBackground(true);
    QPalette palette = scanSign_->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Window, QColor(255, 255, 225));
    scanSign_->setPalette(palette);
    scanSign_->setFont(designFont(QStringLiteral("Arial"), 18, true));
    place(scanSign_, 6240, 3480, 5400, 1680); // the free place above "ESCI"
    scanSign_->hide();
}

void FormMenu::createMenus()
{
    QMenuBar* bar = menuBar();
    connect(named(bar->addAction(QStringLiteral("&Configurazioni")), "mnuOpzioni"),
            &QAction::triggered, this, &FormMenu::mnuOpzioni_Click);
    reportAction_ =
        named(bar->addAction(QStringLiteral("&Esercizi eseguiti")), "mnuEserciziEseguiti");
    connect(reportAction_, &QAction::triggered, this, &FormMenu::mnuEserciziEseguiti_Click);

    QMenu* info = bar->addMenu(QStringLiteral("&Informazioni"));
    named(info->menuAction(), "mnuInfo");
    connect(named(info->addAction(QStringLiteral("documentazione")), "mnuDocum"),
            &QAction::triggered, this, &FormMenu::mnuDocum_Click);
    connect(named(info->addAction(QStringLiteral("about")), "mnuInformazioni"), &QAction::triggered,
            this, &FormMenu::mnuInformazioni_Click);

    languagesMenu_ = bar->addMenu(QStringLiteral("&Lingua"));
    named(languagesMenu_->menuAction(), "mnuLanguages");
    languageEntries_ << addLanguageEntry(0);
    languageEntries_[0]->setText(QStringLiteral("mnuLanguage 0"));
}

QAction* FormMenu::addLanguageEntry(int index)
{
    QAction* entry = named(languagesMenu_->addAction(QString()), "mnuLanguage", index);
    entry->setCheckable(true);
    connect(entry, &QAction::triggered, this, [this, index] { mnuLanguage_Click(index); });
    return entry;
}

void FormMenu::Form_Load()
{
    MLSFillMenuLanguages();
    Form::Form_Load(); // translates, then sizes with the window's own resizer
    mostraTestiLingua();
}

void FormMenu::Form_Activate()
{
    coverScreen();
    const ProgramState& state = program().state;
    if (!state.ColoreCasuale)
        setBackground(area(), qtColor(state.ColoreSfondo));
    evidenzia(-1);
    statusBar()->setFixedHeight(twipsY(500));
    aggiornaStato();
    ImpostaUtente();
    RecuperaUtenti();
}

void FormMenu::Form_Unload()
{
    scanTimer_->stop();
    auditory_.end();
}

void FormMenu::aggiornaStato()
{
    const ProgramState& state = program().state;
    // The list's file name; its whole path in the tooltip.
    statusText_->setText(
        state.UsaTutteLeImmagini
            ? program().text(QStringLiteral("0230"))
            : program().text(QStringLiteral("0231")) +
                  listaMostrata(program().env, state, program().text(QStringLiteral("0247"))));
    statusText_->setToolTip(state.UsaTutteLeImmagini ? QString()
                                                     : listaPerLaLingua(program().env, state));
}

QColor FormMenu::coloreFinestra() const
{
    return background(area());
}

void FormMenu::evidenzia(int index)
{
    for (int i = 0; i < kPulsantiMenu; ++i)
        setBackground(buttons_[static_cast<size_t>(i)], i == index ? kRosso : coloreFinestra());
    // The scan's mark is told and heard when it reaches a button, not again
    // at every tick that keeps it there (manual scanning ticks ten times a
    // second). Each button is heard by its caption, and the automatic step
    // lasts as long as the caption, and a little more.
    if (index == heardIndex_)
        return;
    heardIndex_ = index;
    if (index >= 0 && index < kPulsantiMenu)
        announceScanned(buttons_[static_cast<size_t>(index)]);
    if (index < 0 || !auditory_.on())
        return;
    ClickLabel* button = buttons_[static_cast<size_t>(index)];
    // The scan's timing makes the step long enough; mostraScansione applies it.
    scansione_.elementoParlato(auditory_.reached(button, spokenCaption(button->text())));
}

// ---- user list ----

void FormMenu::ImpostaUtente()
{
    const ProgramState& state = program().state;
    // Every button's pointer is this child's: the system pointer once stayed
    // on the first two buttons for the children after, and the pencil on
    // the other three for a child who needs the system's.
    for (ClickLabel* button : buttons_)
        button->setCursor(state.MouseDiSistema ? QCursor(Qt::ArrowCursor) : pencilPointer());
    if (state.CarattereLettere != kMaiuscolo) {
        buttons_[0]->setText(buttons_[0]->text().toLower());
        buttons_[1]->setText(buttons_[1]->text().toLower());
    } else {
        buttons_[0]->setText(buttons_[0]->text().toUpper());
        buttons_[1]->setText(buttons_[1]->text().toUpper());
    }
    // The list in the lettering of the user in force, whichever it was before.
    for (int i = 0; i < users_->count(); ++i)
        users_->setItemText(i, nomeInElenco(users_->itemData(i).toString()));
    impostaModalita();
    reportAction_->setEnabled(state.TieniTraccia);
    QFont font(state.NomeFont);
    font.setPointSizeF(std::max(14.0, buttons_[0]->font().pointSizeF() - 15));
    usersFit_->fit(font);
}

void FormMenu::RecuperaUtenti()
{
    ProgramState& state = program().state;
    users_->clear();
    // Each entry keeps the user's own name, as stored; it shows in the
    // lettering in force, and the default user by a name a person reads.
    QStringList names = elencoUtenti(program().env, kMinuscolo);
    // The default user is listed beside the others even without a file, or
    // the list would show a blank: a teacher who gave every child a user of
    // her own from a fresh start never saved it, yet the program starts on it.
    if (!names.isEmpty() && !names.contains(kUtentePredefinito, Qt::CaseInsensitive))
        names.prepend(kUtentePredefinito);
    for (const QString& name : names) {
        users_->addItem(nomeInElenco(name), name);
        users_->setItemData(users_->count() - 1, name, Qt::ToolTipRole);
    }
    users_->setCurrentIndex(-1);
    users_->setVisible(users_->count() >= 2);
    usersFit_->refit();
    // Selecting the current user from code counts as the user's choice: its
    // settings are saved and read back.
    for (int i = 0; i < users_->count(); ++i) {
        if (users_->itemData(i).toString().toUpper() == state.NomeUtente.toUpper()) {
            users_->setCurrentIndex(i);
            Combo1_Click();
        }
    }
}

void FormMenu::mostraTestiLingua()
{
    // The exercises' pictures (not "ESCI") spell a word of the language.
    for (int i = 0; i < kPulsantiMenu - 1; ++i) {
        QFile drawing(QString::fromLatin1(kPulsanti[static_cast<size_t>(i)].picture));
        if (drawing.open(QIODevice::ReadOnly))
            pictures_[static_cast<size_t>(i)]->setPictureData(
                figuraEsempio(program().language, i, drawing.readAll()));
    }
    for (int i = 0; i < users_->count(); ++i)
        users_->setItemText(i, nomeInElenco(users_->itemData(i).toString()));
}

QString FormMenu::nomeInElenco(const QString& user)
{
    // The list's letters are sized to its longest entry: one very long name
    // would make every child's name tiny. It is cut instead (the whole name
    // is the entry's tooltip).
    constexpr qsizetype kLettereMostrate = 24;
    // The default user's shown name is words, not a name: cursive leaves it as
    // the language writes it ("Utente predefinito", not "Utente Predefinito").
    const QString& lettering = program().state.CarattereLettere;
    QString shown = nomeUtenteMostrato(program(), user);
    if (!(utentePredefinito(user) && lettering == kCorsivo))
        shown = formaNomeUtente(shown, lettering);
    if (shown.size() > kLettereMostrate) {
        qsizetype kept = kLettereMostrate - 1;
        if (shown[kept - 1].isHighSurrogate())
            --kept;
        shown = shown.left(kept).trimmed() + QChar(0x2026);
    }
    return shown;
}

void FormMenu::Combo1_Click()
{
    if (!scegliUtente(program(), users_->currentData().toString())) {
        // The profile being left was not saved (the teacher was told): that
        // user stays, and the list shows it.
        users_->setCurrentIndex(
            users_->findData(program().state.NomeUtente, Qt::UserRole, Qt::MatchFixedString));
        return;
    }
    // Her name in her own lettering at once (the report's title, its files),
    // not in that of the user before.
    ProgramState& state = program().state;
    state.NomeUtente = formaNomeUtente(state.NomeUtente, state.CarattereLettere);
    ImpostaUtente();
    aggiornaStato(); // the status line names the chosen user's list
}

// ---- choices ----

void FormMenu::AvviaEsercizi(int Esercizio)
{
    if (Esercizio < 0 || Esercizio >= kPulsantiMenu)
        return;
    if (Esercizio == kPulsantiMenu - 1 && !chiudereConParoleNonScritte())
        return;
    ProgramState& state = program().state;
    state.TipoEsercizio = Esercizio;
    apriIntestazione(state, state.NomeUtente, buttons_[static_cast<size_t>(Esercizio)]->text());
    if (Esercizio < kPulsantiMenu - 1) {
        passaA(QStringLiteral("lettere"));
        return;
    }
    scanTimer_->stop();
    if (ProgramExit* exit = program().services.programExit)
        exit->endNow();
}

// Words the disk refused (full, or a folder that cannot be written) are still
// held in memory and go with the program: the teacher may stay and free the
// disk first. Asked for their number, the history tries them once more.
bool FormMenu::chiudereConParoleNonScritte()
{
    History* history = program().services.history;
    const int waiting = history != nullptr ? history->unwritten() : 0;
    if (waiting == 0 || program().services.messages == nullptr)
        return true;
    Message question;
    question.text = program().text(QStringLiteral("0249")).arg(waiting);
    question.icon = Message::Icon::Question;
    question.buttons = Message::Buttons::YesNo;
    question.yesDestroys = true;
    return program().services.messages->show(question) == MessageBoxes::Answer::Yes;
}

void FormMenu::passaA(const QString& name)
{
    if (windows().show(name))
        windows().unload(this);
}

void FormMenu::Command1_Click(int Index)
{
    if (program().state.ModalitaInput == kModoMouse)
        AvviaEsercizi(Index);
}

void FormMenu::Image1_Click(int Index)
{
    AvviaEsercizi(Index);
}

void FormMenu::Command1_MouseMove(int Index)
{
    if (program().state.ModalitaInput != kModoMouse)
        return;
    if (background(buttons_[static_cast<size_t>(Index)]) != kRosso)
        evidenzia(Index);
}

void FormMenu::Form_MouseMove()
{
    if (program().state.ModalitaInput != kModoMouse)
        return;
    for (ClickLabel* button : buttons_) {
        if (background(button) != coloreFinestra())
            setBackground(button, coloreFinestra());
    }
    heardIndex_ = -1; // the pointer left the buttons: the next one is told again
}

// The keys with which the closed list would choose a user by itself: an
// arrow the next one, a letter the first name with it. The mouse user's list
// holds the focus, so a key pressed by chance in the menu changed the child;
// the list still opens with Space, F4 or Alt+arrow, and chooses when open.
bool FormMenu::choosesWhileClosed(const QKeyEvent& key)
{
    if (key.modifiers() & Qt::AltModifier)
        return false;
    switch (key.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        break;
    }
    const QString text = key.text();
    return !text.isEmpty() && text.front().isPrint() && text != QLatin1String(" ");
}

bool FormMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == area() && event->type() == QEvent::MouseMove)
        Form_MouseMove();
    // A switch held down from the window before (the splash goes at its
    // press) repeats here: its repeats would open the users' list, where the
    // next press chooses. A fresh press still opens it.
    if (watched == users_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->isAutoRepeat() && (key->key() == Qt::Key_Space || key->key() == Qt::Key_Return ||
                                    key->key() == Qt::Key_Enter))
            return true;
        if (choosesWhileClosed(*key))
            return true;
    }
    // The wheel turned by chance over the closed list (a hand resting on it,
    // a trackball's ring) would choose the next user: another child's
    // settings and log. The list changes only when opened.
    if (watched == users_ && event->type() == QEvent::Wheel)
        return true;
    return Form::eventFilter(watched, event);
}

// ---- scanning ----

void FormMenu::impostaModalita()
{
    ProgramState& state = program().state;
    scansione_.imposta(state.ModalitaInput, scanTiming(state), state.confirmExit,
                       program().services.clock, &state.ultimaSceltaSensore);
    const int mode = scansione_.modalita();
    const bool scanning = mode == kModoScansioneManuale || mode == kModoScansioneAutomatica;
    if (scanning) {
        for (ClickLabel* button : buttons_)
            button->setCursor(Qt::ArrowCursor);
    } else {
        setCursor(Qt::ArrowCursor);
    }
    // With the mouse mode's keyboard Tab reaches the buttons too (a teacher
    // without a mouse); while scanning the switch box keeps the focus.
    for (ClickLabel* button : buttons_)
        button->setFocusPolicy(scanning ? Qt::NoFocus : Qt::TabFocus);
    manualSwitch_->setVisible(mode == kModoScansioneManuale);
    autoSwitch_->setVisible(mode == kModoScansioneAutomatica);
    setBackground(manualSwitch_, coloreFinestra());
    setBackground(autoSwitch_, coloreFinestra());
    scanTimer_->stop();
    scanTimer_->setInterval(scansione_.intervalloMs());
    heardIndex_ = -1;
    if (!scanning) {
        auditory_.end();
        // A scanning user's lit button and pause sign go with the scan.
        mostraScansione();
        return;
    }
    QStringList captions;
    for (const ClickLabel* button : buttons_)
        captions << spokenCaption(button->text());
    auditory_.start(program(), captions);
    mostraScansione();
    // The switches work from the first moment, not only after the first tick.
    (mode == kModoScansioneManuale ? manualSwitch_ : autoSwitch_)->setFocus();
}

void FormMenu::mostraScansione()
{
    evidenzia(scansione_.evidenziato());
    const bool paused = scansione_.inPausa();
    const bool asking = scansione_.chiedeConferma();
    if (paused || asking) {
        const QString sign = program().text(QString::fromLatin1(paused ? "0402" : "0401"));
        if (scanSign_->isHidden() || scanSign_->text() != sign) {
            scanSign_->setText(sign);
            scanSign_->show();
            scanSign_->raise();
            announceLiveText(scanSign_, sign);
        }
    } else {
        scanSign_->hide();
    }
    if (scanTimer_->interval() != scansione_.intervalloMs())
        scanTimer_->setInterval(scansione_.intervalloMs()); // counted from now
    if (!scansione_.timerAttivo())
        scanTimer_->stop();
    else if (!scanTimer_->isActive())
        scanTimer_->start();
}

void FormMenu::Timer1_Timer()
{
    switch (scansione_.modalita()) {
    case kModoScansioneManuale:
        mostraScansione(); // a confirmation whose time is up says so
        manualSwitch_->setFocus();
        break;
    case kModoScansioneAutomatica:
        scansione_.tick();
        mostraScansione();
        autoSwitch_->setFocus();
        break;
    default:
        break;
    }
}

void FormMenu::PictureScansioneManuale_KeyUp(int key)
{
    AuditoryScan::Choosing choosing(auditory_, tastoSensore(key) == TastoSensore::Invio);
    if (std::optional<int> choice = scansione_.rilascioManuale(tastoSensore(key)))
        AvviaEsercizi(*choice);
    else if (scansione_.modalita() == kModoScansioneManuale)
        mostraScansione();
}

void FormMenu::PictureScansione_KeyDown(int key)
{
    scansione_.pressione(tastoSensore(key));
    if (!scansione_.timerAttivo())
        scanTimer_->stop();
}

void FormMenu::PictureScansioneAutomatica_KeyUp(int key)
{
    AuditoryScan::Choosing choosing(auditory_, tastoSensore(key) == TastoSensore::Spazio);
    std::optional<int> choice = scansione_.rilascioAutomatico(tastoSensore(key));
    if (scansione_.modalita() == kModoScansioneAutomatica)
        mostraScansione();
    if (choice)
        AvviaEsercizi(*choice);
}

// ---- menu bar ----

void FormMenu::mnuOpzioni_Click()
{
    scanTimer_->stop();
    passaA(QStringLiteral("FormConfigura"));
}

void FormMenu::mnuEserciziEseguiti_Click()
{
    scanTimer_->stop();
    passaA(QStringLiteral("FormEserciziEseguiti"));
}

void FormMenu::mnuInformazioni_Click()
{
    passaA(QStringLiteral("FormInfo"));
}

void FormMenu::mnuDocum_Click()
{
    // The manual of the current language ("0246"); a name that would leave
    // the program folder is not followed.
    QString manual = program().text(QStringLiteral("0246")).trimmed();
    if (manual.isEmpty() || manual.contains(QLatin1Char('/')) ||
        manual.startsWith(QLatin1Char('.')))
        manual = QStringLiteral("ortolino.pdf");
    ApriDocumento(program().services.documents, program().services.messages,
                  program().env.programFile(manual), program().text(QStringLiteral("0312")));
}

// ---- languages ----

void FormMenu::MLSFillMenuLanguages()
{
    const QStringList names = lingueDelMenu(program().language);
    if (names.isEmpty()) {
        Message message;
        message.text = kNessunaLingua;
        if (MessageBoxes* boxes = program().services.messages)
            boxes->show(message);
        return;
    }
    for (int n = 0; n < names.size(); ++n) {
        if (n > 0)
            languageEntries_ << addLanguageEntry(n);
        languageEntries_[n]->setText(names[n]);
    }
    Language& language = program().language;
    language.readCurrentLanguageSetting();
    for (QAction* entry : languageEntries_) {
        if (entry->text() == language.CurrentLanguage) {
            entry->setChecked(true);
            break;
        }
    }
}

void FormMenu::mnuLanguage_Click(int Index)
{
    if (Index < 0 || Index >= languageEntries_.size())
        return;
    for (QAction* entry : languageEntries_)
        entry->setChecked(false);
    QAction* chosen = languageEntries_[Index];
    chosen->setChecked(true);
    const QString name = chosen->text();
    program().language.CurrentLanguage = name;
    // Translating lets events run: a window may go away meanwhile.
    QList<QPointer<Form>> loaded;
    for (Form* window : windows().loadedWindows())
        loaded << window;
    for (const QPointer<Form>& window : loaded) {
        if (window)
            MLSLoadFormStrings(window, program().language);
    }
    registraSceltaLingua(program(), name);
    mostraTestiLingua();
    // The user's lettering again on the freshly translated captions.
    ImpostaUtente();
    aggiornaStato();
}

} // namespace ortolino
