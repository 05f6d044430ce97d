// The configuration window as a whole: the tab strip over the panels,
// loading, activation, the copy of the program state into the panels, and
// the way out.
#include "gui/config/FormConfigura.h"

#include "core/app/Program.h"
#include "core/app/Users.h"
#include "core/config/ConfigSettings.h"
#include "gui/config/AppearancePanel.h"
#include "gui/config/InputPanel.h"
#include "gui/config/LettersPanel.h"
#include "gui/config/ListPanel.h"
#include "gui/config/SwitchPanel.h"
#include "gui/config/UserPanel.h"
#include "gui/config/VoicePanel.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/Controls.h"
#include "gui/widgets/FittedText.h"
#include "gui/widgets/WindowManager.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTimer>

namespace ortolino {

namespace {

constexpr int kLarghezza = 13500;
constexpr int kAltezza = 9900;

// The window's own controls in twips of its 13500 x 9900 design area; the
// tab pages lie at the same place below the tab strip, the list editor
// covers the whole area.
constexpr ControlDesign kDesign[] = {
    {"Label4", -1, nullptr, 240, 120, 13020, 540},
    {"TabStrip1", -1, nullptr, 240, 720, 13020, 450},
    {"FrameUtente", -1, nullptr, 240, 1170, 13020, 8490},
    {"FrameLettere", -1, nullptr, 240, 1170, 13020, 8490},
    {"FrameFonts", -1, nullptr, 240, 1170, 13020, 8490},
    {"FrameVoce", -1, nullptr, 240, 1170, 13020, 8490},
    {"FramePunt", -1, nullptr, 240, 1170, 13020, 8490},
    {"FrameSensori", -1, nullptr, 240, 1170, 13020, 8490},
};

constexpr std::array<const char*, 6> kTabCaptions = {
    "Utente",       "Scelte didattiche", "Fonts e Colori",
    "Voce e Suoni", "Modalità di input", "Sensori"};
constexpr int kTabVoce = 3;
constexpr int kTabSensori = 5;

} // namespace

FormConfigura::FormConfigura(Program& program, WindowManager& windows)
    : Form(QStringLiteral("FormConfigura"), program, windows, QSize(kLarghezza, kAltezza))
{
    setWindowTitle(QStringLiteral("Ortolino - Configurazioni"));
    area()->setFont(designFont(QStringLiteral("Arial"), 12));
    exitAction_ = named(menuBar()->addAction(QStringLiteral("&Menu")), "mnuEsci");

    auto* userName = new FittedLabel(area());
    userName->setKeepsMargin(false);
    userName_ = userName;
    applyDesign(*this, kDesign, userName_, "Label4");
    userName_->setFont(designFont(QStringLiteral("Arial"), 16, true));
    auto* tabs = new FittedTabBar(area());
    tabs_ = tabs;
    applyDesign(*this, kDesign, tabs_, "TabStrip1");
    tabs->fit(designFont(QStringLiteral("Arial"), 12, true));
    tabs_->setExpanding(true);
    for (const char* caption : kTabCaptions)
        tabs_->addTab(QString::fromUtf8(caption));
    const std::array<const char*, 6> pageNames = {"FrameUtente", "FrameLettere", "FrameFonts",
                                                  "FrameVoce",   "FramePunt",    "FrameSensori"};
    for (size_t i = 0; i < pages_.size(); ++i) {
        pages_[i] = new QFrame(area());
        applyDesign(*this, kDesign, pages_[i], pageNames[i]);
        pages_[i]->setFrameStyle(QFrame::Box | QFrame::Plain);
    }

    users_ = new UserPanel(*this, pages_[0]);
    lists_ = new ListPanel(*this, pages_[1], area());
    letters_ = new LettersPanel(*this, pages_[1]);
    appearance_ = new AppearancePanel(*this, pages_[2]);
    voice_ = new VoicePanel(*this, pages_[3]);
    input_ = new InputPanel(*this, pages_[4]);
    switches_ = new SwitchPanel(*this, pages_[kTabSensori]);

    connect(exitAction_, &QAction::triggered, this, [this] { mnuEsci_Click(); });
    connect(tabs_, &QTabBar::currentChanged, this, &FormConfigura::TabStrip1_Click);
    tabToChosenOptions(this);
    NascondiFrame();
}

FormConfigura::~FormConfigura() = default;

QString FormConfigura::testo(const char* key) const
{
    return program().text(QString::fromLatin1(key));
}

MessageBoxes::Answer FormConfigura::mostra(const Message& message) const
{
    MessageBoxes* boxes = program().services.messages;
    if (boxes == nullptr)
        return message.buttons == Message::Buttons::YesNo ? MessageBoxes::Answer::No
                                                          : MessageBoxes::Answer::Ok;
    return boxes->show(message);
}

void FormConfigura::avvisa(const QString& text) const
{
    Message message;
    message.text = text;
    message.icon = Message::Icon::Critical;
    mostra(message);
}

void FormConfigura::showUserName(const QString& name)
{
    userName_->setText(nomeUtenteMostrato(program(), name));
}

Personaggio* FormConfigura::personaggio() const
{
    return voice_->personaggio();
}

bool FormConfigura::salvaProfiloConAvviso()
{
    // Every control's value is in the state before any save: the letter
    // boxes, which reach LettereAttive only here and at the exit, included.
    letters_->confirm();
    return salvaProfiloUtente(program());
}

// ---- life cycle ----

void FormConfigura::Form_Load()
{
    Form::Form_Load();       // translates, then sizes with the window's own resizer
    fitButtonCaptions(this); // long captions on a small screen
    fitTextBoxes(this);
    voice_->load();
}

void FormConfigura::Form_Activate()
{
    coverScreen();
    input_->showMode();
    showUserName(program().state.NomeUtente);
    voice_->activate();
    NascondiFrame();
    ImpostaConfigurazioni(Lettere::DalloStato);
    pages_[0]->show();
    pages_[0]->raise();
    // The tab strip follows the page shown.
    const QSignalBlocker quiet(tabs_);
    tabs_->setCurrentIndex(0);
}

void FormConfigura::Form_Unload()
{
    switches_->stopTrying();
    voice_->unload();
}

void FormConfigura::closeEvent(QCloseEvent* event)
{
    if (uscita_) {
        Form::closeEvent(event);
        return;
    }
    // The close box leaves as "&Menu" does, so that nothing set here is lost.
    event->ignore();
    QTimer::singleShot(0, this, [this] { mnuEsci_Click(); });
}

// ---- the tabs ----

void FormConfigura::NascondiFrame()
{
    for (QFrame* page : pages_)
        page->hide();
}

void FormConfigura::TabStrip1_Click(int index)
{
    NascondiFrame();
    voice_->leave();
    switches_->stopTrying();
    if (index < 0 || index >= static_cast<int>(pages_.size()))
        return;
    QFrame* page = pages_[static_cast<size_t>(index)];
    page->show();
    page->raise();
    if (index == kTabVoce)
        voice_->enter();
    if (index == kTabSensori)
        switches_->startTrying();
}

// ---- program state to controls ----

void FormConfigura::ImpostaConfigurazioni(Lettere lettere)
{
    users_->showState();
    letters_->showLetters(lettere);
    lists_->showState();
    appearance_->showState();
    input_->showState();
    switches_->showState();
    voice_->showState();
    // The switch settings apply in the scanning modes only. Set only on a
    // change: setting a tab's visibility again as it is cancels the tab bar's
    // pending relayout, and the tabs stayed sized for six until first clicked.
    const int mode = program().state.ModalitaInput;
    const bool scanning = mode == kInputScansioneManuale || mode == kInputScansioneAutomatica;
    if (tabs_->isTabVisible(kTabSensori) != scanning)
        tabs_->setTabVisible(kTabSensori, scanning);
    const QColor background = qtColor(program().state.ColoreSfondo);
    for (QWidget* page : pages_)
        setBackground(page, background);
    for (const ConfigPanel* panel : std::initializer_list<const ConfigPanel*>{
             users_, lists_, letters_, appearance_, voice_, input_, switches_}) {
        for (QWidget* control : panel->colouredControls())
            setBackground(control, background);
    }
}

// ---- the way out ----

bool FormConfigura::mnuEsci_Click()
{
    if (!lists_->closeEditor())
        return false;
    if (users_->newUserWithoutName()) {
        avvisa(testo("0208")); // and how to leave without creating one
        return false;
    }
    if (users_->newUserNameTaken()) {
        avvisa(testo("0224"));
        return false;
    }
    switch (giudicaLettere(letters_->tickedCount())) {
    case GiudizioLettere::Nessuna:
        avvisa(testo("0016"));
        return false;
    case GiudizioLettere::Poche: {
        Message question;
        question.text = testo("0017");
        question.icon = Message::Icon::Critical;
        question.buttons = Message::Buttons::YesNo;
        if (mostra(question) != MessageBoxes::Answer::Yes)
            return false;
        break;
    }
    case GiudizioLettere::Abbastanza:
        break;
    }
    letters_->confirm();
    // Settings that cannot be kept (a settings folder that cannot be written,
    // a full disk) stay in use until the program closes: the teacher is told
    // so and leaves all the same, rather than being held here.
    salvaProfiloUtente(program(), SeNonSalvato::Avvisa, testo("0211"));
    uscita_ = true;
    windows().show(QStringLiteral("FormMenu"));
    windows().unload(this);
    return true;
}

} // namespace ortolino
