#include "gui/config/SwitchPanel.h"

#include "core/app/Program.h"
#include "core/config/ConfigSettings.h"
#include "gui/config/FormConfigura.h"
#include "gui/widgets/Accessibility.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/Controls.h"
#include "gui/widgets/FittedText.h"
#include "gui/widgets/SolidButton.h"
#include "gui/widgets/SwitchBox.h"

#include <cmath>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

namespace ortolino {

namespace {

constexpr ControlDesign kDesign[] = {
    {"LabelAccettazione", -1, nullptr, 480, 360, 6000, 420},
    {"HScrollAccettazione", -1, nullptr, 480, 780, 6000, 360},
    {"LabelIgnora", -1, nullptr, 480, 1320, 6000, 420},
    {"HScrollIgnora", -1, nullptr, 480, 1740, 6000, 360},
    {"LabelPrimo", -1, nullptr, 480, 2280, 6000, 420},
    {"HScrollPrimo", -1, nullptr, 480, 2700, 6000, 360},
    {"LabelGiri", -1, nullptr, 480, 3240, 6000, 420},
    {"HScrollGiri", -1, nullptr, 480, 3660, 6000, 360},
    {"CheckMenuEsercizio", -1, nullptr, 6960, 360, 5760, 540},
    {"CheckConfermaEsci", -1, nullptr, 6960, 1080, 5760, 540},
    {"CheckAscolto", -1, nullptr, 6960, 1800, 5760, 480},
    {"OptionAscolto", 0, nullptr, 7440, 2280, 5280, 420},
    {"OptionAscolto", 1, nullptr, 7440, 2700, 5280, 420},
    {"CheckIngrandisci", -1, nullptr, 6960, 3240, 5760, 480},
    {"CheckColoreRiquadro", -1, nullptr, 6960, 3720, 3600, 480},
    {"CommandColoreRiquadro", -1, nullptr, 10680, 3660, 2040, 540},
    {"CheckTastieraCompatta", -1, nullptr, 6960, 4320, 5760, 480},
    {"OptionOrdine", 0, nullptr, 7440, 4800, 5280, 420},
    {"OptionOrdine", 1, nullptr, 7440, 5220, 5280, 420},
    {"LabelProva", -1, nullptr, 480, 5760, 12060, 420},
    {"TastoProva", 0, nullptr, 480, 6240, 1200, 900},
    {"TastoProva", 1, nullptr, 1920, 6240, 1200, 900},
    {"TastoProva", 2, nullptr, 3360, 6240, 1200, 900},
    {"TastoProva", 3, nullptr, 4800, 6240, 1200, 900},
    {"TastoProva", 4, nullptr, 6240, 6240, 1200, 900},
    {"PictureProva", -1, nullptr, 7680, 6480, 240, 240},
    {"LabelEsitoProva", -1, nullptr, 480, 7320, 12060, 420},
};

// The bars' ranges: acceptance by 50 ms, the ignore time by 100 ms, the
// first item's hold by half steps.
constexpr BarRange kBarraAccettazione{0, kAcceptanceMsMax / kAcceptanceStepMs};
constexpr int kPassoIgnoraMs = 100;
constexpr BarRange kBarraIgnora{0, kIgnoreAfterChoiceMsMax / kPassoIgnoraMs};
constexpr BarRange kBarraPrimo{2, static_cast<int>(kFirstItemStepsMax * 2)};
constexpr BarRange kBarraGiri{0, kLoopsBeforePauseMax};

} // namespace

SwitchPanel::SwitchPanel(FormConfigura& window, QWidget* page) : ConfigPanel(window, kDesign)
{
    // Each bar's caption keeps to its one line, smaller on a small screen
    // (wrapped, it ran under its bar).
    acceptanceLabel_ = make<FittedLabel>(page, "LabelAccettazione");
    acceptance_ = makeBar(page, "HScrollAccettazione", kBarraAccettazione, 2);
    ignoreLabel_ = make<FittedLabel>(page, "LabelIgnora");
    ignore_ = makeBar(page, "HScrollIgnora", kBarraIgnora, 2);
    firstItemLabel_ = make<FittedLabel>(page, "LabelPrimo");
    firstItem_ = makeBar(page, "HScrollPrimo", kBarraPrimo, 1);
    loopsLabel_ = make<FittedLabel>(page, "LabelGiri");
    loops_ = makeBar(page, "HScrollGiri", kBarraGiri, 1);
    backTarget_ = make<QCheckBox>(page, "CheckMenuEsercizio");
    confirmExit_ = make<QCheckBox>(page, "CheckConfermaEsci");
    auditory_ = make<QCheckBox>(page, "CheckAscolto");
    enlarge_ = make<QCheckBox>(page, "CheckIngrandisci");
    frameAsKey_ = make<QCheckBox>(page, "CheckColoreRiquadro");
    frameColour_ = make<QPushButton>(page, "CommandColoreRiquadro");
    compact_ = make<QCheckBox>(page, "CheckTastieraCompatta");
    auto* styles = new QButtonGroup(this);
    auto* orders = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        auditoryStyles_[static_cast<size_t>(i)] = make<QRadioButton>(page, "OptionAscolto", i);
        styles->addButton(auditoryStyles_[static_cast<size_t>(i)], i);
        compactOrders_[static_cast<size_t>(i)] = make<QRadioButton>(page, "OptionOrdine", i);
        orders->addButton(compactOrders_[static_cast<size_t>(i)], i);
    }
    tryLabel_ = makeCaption(page, "LabelProva");
    tryLabel_->setWordWrap(true);
    for (int i = 0; i < static_cast<int>(samples_.size()); ++i) {
        auto* sample = new SolidButton(QString(), page); // lettered when the tab is shown
        applyDesign(windowForm(), kDesign, sample, "TastoProva", i);
        sample->setFocusPolicy(Qt::NoFocus);
        // A click gives the switches back to the sample row.
        connect(sample, &QPushButton::clicked, this, [this] { trySwitch_->setFocus(); });
        samples_[static_cast<size_t>(i)] = sample;
    }
    trySwitch_ = new SwitchBox(QStringLiteral("PictureProva"), page);
    applyDesign(windowForm(), kDesign, trySwitch_, "PictureProva");
    tryResult_ = makeCaption(page, "LabelEsitoProva");
    tieLabel(acceptanceLabel_, acceptance_);
    tieLabel(ignoreLabel_, ignore_);
    tieLabel(firstItemLabel_, firstItem_);
    tieLabel(loopsLabel_, loops_);

    tryTimer_ = named(new QTimer(this), "TimerProva");
    tryTimer_->setTimerType(Qt::PreciseTimer);
    connect(tryTimer_, &QTimer::timeout, this, &SwitchPanel::tryTick);
    connect(trySwitch_, &SwitchBox::keyDown, this, &SwitchPanel::sampleDown);
    connect(trySwitch_, &SwitchBox::keyUp, this, &SwitchPanel::sampleUp);
    connect(trySwitch_, &SwitchBox::heldKeysLost, this, [this] {
        tryScan_.pressionePersa();
        showTrying();
    });

    // Each change shows at once on the sample row.
    auto setting = [this](QScrollBar* bar, auto apply) {
        connect(bar, &QScrollBar::valueChanged, this, [this, apply](int value) {
            apply(state(), value);
            showTexts();
            restartTrying();
        });
    };
    setting(acceptance_,
            [](ProgramState& s, int value) { s.acceptanceMs = value * kAcceptanceStepMs; });
    setting(ignore_,
            [](ProgramState& s, int value) { s.ignoreAfterChoiceMs = value * kPassoIgnoraMs; });
    setting(firstItem_, [](ProgramState& s, int value) { s.firstItemSteps = value / 2.0; });
    setting(loops_, [](ProgramState& s, int value) { s.loopsBeforePause = value; });
    connect(backTarget_, &QCheckBox::toggled, this,
            [this](bool checked) { state().backToMenuTarget = checked; });
    connect(confirmExit_, &QCheckBox::toggled, this,
            [this](bool checked) { state().confirmExit = checked; });
    // The choices that show or hide others, or change the contrast warning of
    // the input tab, show the whole state again.
    connect(auditory_, &QCheckBox::clicked, this, [this](bool checked) {
        state().auditoryScanning = checked;
        showWholeState();
    });
    connect(styles, &QButtonGroup::idClicked, this,
            [this](int id) { state().auditoryStyle = static_cast<AuditoryStyle>(id); });
    connect(enlarge_, &QCheckBox::toggled, this,
            [this](bool checked) { state().enlargeHighlighted = checked; });
    connect(frameAsKey_, &QCheckBox::clicked, this, [this](bool checked) {
        // Unticked, the frame starts from the marked key's colour.
        state().highlightColour =
            checked ? kHighlightAsMarkedKey : state().ColoreBottoneSelezionato;
        showWholeState();
    });
    connect(frameColour_, &QPushButton::clicked, this, [this] {
        const Colore frame = state().highlightColour;
        if (const std::optional<Colore> colour = chooseColour(
                frame == kHighlightAsMarkedKey ? state().ColoreBottoneSelezionato : frame))
            state().highlightColour = *colour;
        showWholeState();
    });
    connect(compact_, &QCheckBox::clicked, this, [this](bool checked) {
        state().compactKeyboard = checked;
        showWholeState();
    });
    connect(orders, &QButtonGroup::idClicked, this,
            [this](int id) { state().compactOrder = static_cast<CompactOrder>(id); });
}

void SwitchPanel::showState()
{
    ProgramState& s = state();
    int value = s.acceptanceMs / kAcceptanceStepMs;
    showOnBar(acceptance_, value, kBarraAccettazione);
    value = s.ignoreAfterChoiceMs / kPassoIgnoraMs;
    showOnBar(ignore_, value, kBarraIgnora);
    value = static_cast<int>(std::lround(s.firstItemSteps * 2));
    showOnBar(firstItem_, value, kBarraPrimo);
    showOnBar(loops_, s.loopsBeforePause, kBarraGiri);
    backTarget_->setChecked(s.backToMenuTarget);
    confirmExit_->setChecked(s.confirmExit);
    auditory_->setChecked(s.auditoryScanning);
    auditoryStyles_[s.auditoryStyle == AuditoryStyle::Cue ? 1 : 0]->setChecked(true);
    enlarge_->setChecked(s.enlargeHighlighted);
    frameAsKey_->setChecked(s.highlightColour == kHighlightAsMarkedKey);
    setBackground(frameColour_, highlightColor(s));
    compact_->setChecked(s.compactKeyboard);
    compactOrders_[s.compactOrder == CompactOrder::Frequency ? 1 : 0]->setChecked(true);
    for (QRadioButton* style : auditoryStyles_)
        style->setVisible(s.auditoryScanning);
    for (QWidget* frame : std::initializer_list<QWidget*>{frameAsKey_, frameColour_})
        frame->setVisible(s.ConRiquadro); // the frame's colour needs the frame
    for (QRadioButton* order : compactOrders_)
        order->setVisible(s.compactKeyboard);
    const bool automatic = s.ModalitaInput == kInputScansioneAutomatica;
    for (QWidget* control :
         std::initializer_list<QWidget*>{firstItemLabel_, firstItem_, loopsLabel_, loops_})
        control->setVisible(automatic);
    showTexts();
    restartTrying();
}

QList<QWidget*> SwitchPanel::colouredControls() const
{
    return {acceptanceLabel_, ignoreLabel_, firstItemLabel_,    loopsLabel_,        backTarget_,
            confirmExit_,     auditory_,    auditoryStyles_[0], auditoryStyles_[1], enlarge_,
            frameAsKey_,      compact_,     compactOrders_[0],  compactOrders_[1],  tryLabel_,
            tryResult_,       trySwitch_};
}

void SwitchPanel::showTexts()
{
    const ProgramState& s = state();
    Language& language = program().language; // "0,20" in Italian, whatever the system's
    acceptanceLabel_->setText(testo("0411").arg(language.number(s.acceptanceMs / 1000.0, 2)));
    ignoreLabel_->setText(testo("0412").arg(language.number(s.ignoreAfterChoiceMs / 1000.0, 1)));
    firstItemLabel_->setText(testo("0413").arg(language.number(s.firstItemSteps, 1)));
    loopsLabel_->setText(s.loopsBeforePause == 0 ? testo("0415")
                                                 : testo("0414").arg(s.loopsBeforePause));
    backTarget_->setText(testo("0416"));
    confirmExit_->setText(testo("0417"));
    auditory_->setText(testo("0420"));
    auditoryStyles_[0]->setText(testo("0421"));
    auditoryStyles_[1]->setText(testo("0422"));
    enlarge_->setText(testo("0423"));
    frameAsKey_->setText(testo("0424"));
    frameColour_->setText(testo("0425"));
    compact_->setText(testo("0426"));
    compactOrders_[0]->setText(testo("0427"));
    compactOrders_[1]->setText(testo("0428"));
    tryLabel_->setText(testo("0418"));
}

void SwitchPanel::startTrying()
{
    trying_ = true;
    restartTrying();
    trySwitch_->setFocus();
}

void SwitchPanel::stopTrying()
{
    trying_ = false;
    tryTimer_->stop();
}

// The sample row scans as the child's exercise will, from its start.
void SwitchPanel::restartTrying()
{
    for (int i = 0; i < static_cast<int>(samples_.size()); ++i)
        samples_[static_cast<size_t>(i)]->setText(QString(QChar(u'A' + i)));
    const ProgramState& s = state();
    const int mode = trying_ ? s.ModalitaInput : kInputMouse;
    tryScan_.imposta(mode, scanTiming(s), false, program().services.clock);
    tryResult_->clear();
    tryTimer_->stop();
    showTrying();
}

void SwitchPanel::showTrying()
{
    for (int i = 0; i < static_cast<int>(samples_.size()); ++i) {
        SolidButton* sample = samples_[static_cast<size_t>(i)];
        const bool lit = i == tryScan_.evidenziato();
        setBackground(sample,
                      qtColor(lit ? state().ColoreBottoneSelezionato : state().ColoreBottoni));
        sample->setMarked(lit);
    }
    if (tryScan_.inPausa())
        tryResult_->setText(testo("0402"));
    if (tryTimer_->interval() != tryScan_.intervalloMs())
        tryTimer_->setInterval(tryScan_.intervalloMs());
    if (!tryScan_.timerAttivo())
        tryTimer_->stop();
    else if (!tryTimer_->isActive())
        tryTimer_->start();
}

void SwitchPanel::tryTick()
{
    tryScan_.tick();
    showTrying();
}

void SwitchPanel::sampleDown(int key)
{
    tryScan_.pressione(tastoSensore(key));
    showTrying();
}

void SwitchPanel::sampleUp(int key)
{
    const bool wasPaused = tryScan_.inPausa();
    const std::optional<int> chosen = tryScan_.modalita() == kModoScansioneManuale
                                          ? tryScan_.rilascioManuale(tastoSensore(key))
                                          : tryScan_.rilascioAutomatico(tastoSensore(key));
    if (chosen) {
        const QString text = testo("0419").arg(samples_[static_cast<size_t>(*chosen)]->text());
        tryResult_->setText(text);
        announceLiveText(tryResult_, text);
    } else if (wasPaused && !tryScan_.inPausa()) {
        tryResult_->clear();
    }
    showTrying();
}

} // namespace ortolino
