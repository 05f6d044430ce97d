#include "gui/config/SwitchPanel.h"

#include "core/app/Program.h"
#include "core/config/ConfigSettings.h"
#include "gui/config/FormConfigura.h"
#include "gui/widgets/Accessibility.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/Controls.h"
#include "gui/widgets/SolidButton.h"
#include "gui/widgets/SwitchBox.h"

#include <cmath>
#include <QCheckBox>
#include <QLabel>
#include <QLocale>
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
    {"LabelProva", -1, nullptr, 480, 4440, 12060, 420},
    {"TastoProva", 0, nullptr, 480, 4980, 1200, 900},
    {"TastoProva", 1, nullptr, 1920, 4980, 1200, 900},
    {"TastoProva", 2, nullptr, 3360, 4980, 1200, 900},
    {"TastoProva", 3, nullptr, 4800, 4980, 1200, 900},
    {"TastoProva", 4, nullptr, 6240, 4980, 1200, 900},
    {"PictureProva", -1, nullptr, 7680, 5220, 240, 240},
    {"LabelEsitoProva", -1, nullptr, 480, 6120, 12060, 420},
};

// The bars' ranges: acceptance by 50 ms, the ignore time by 100 ms, the
// first item's hold by half steps.
constexpr BarRange kBarraAccettazione{0, kAcceptanceMsMax / kAcceptanceStepMs};
constexpr int kPassoIgnoraMs = 100;
constexpr BarRange kBarraIgnora{0, kIgnoreAfterChoiceMsMax / kPassoIgnoraMs};
constexpr BarRange kBarraPrimo{2, static_cast<int>(kFirstItemStepsMax * 2)};
constexpr BarRange kBarraGiri{0, kLoopsBeforePauseMax};

QString seconds(double value, int decimals)
{
    return QLocale::system().toString(value, 'f', decimals);
}

} // namespace

SwitchPanel::SwitchPanel(FormConfigura& window, QWidget* page) : ConfigPanel(window, kDesign)
{
    acceptanceLabel_ = make<QLabel>(page, "LabelAccettazione");
    acceptance_ = makeBar(page, "HScrollAccettazione", kBarraAccettazione, 2);
    ignoreLabel_ = make<QLabel>(page, "LabelIgnora");
    ignore_ = makeBar(page, "HScrollIgnora", kBarraIgnora, 2);
    firstItemLabel_ = make<QLabel>(page, "LabelPrimo");
    firstItem_ = makeBar(page, "HScrollPrimo", kBarraPrimo, 1);
    loopsLabel_ = make<QLabel>(page, "LabelGiri");
    loops_ = makeBar(page, "HScrollGiri", kBarraGiri, 1);
    backTarget_ = make<QCheckBox>(page, "CheckMenuEsercizio");
    confirmExit_ = make<QCheckBox>(page, "CheckConfermaEsci");
    tryLabel_ = make<QLabel>(page, "LabelProva");
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
    tryResult_ = make<QLabel>(page, "LabelEsitoProva");
    for (QLabel* label : {acceptanceLabel_, ignoreLabel_, firstItemLabel_, loopsLabel_})
        label->setWordWrap(true);
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
    const bool automatic = s.ModalitaInput == kInputScansioneAutomatica;
    for (QWidget* control :
         std::initializer_list<QWidget*>{firstItemLabel_, firstItem_, loopsLabel_, loops_})
        control->setVisible(automatic);
    showTexts();
    restartTrying();
}

QList<QWidget*> SwitchPanel::colouredControls() const
{
    return {acceptanceLabel_, ignoreLabel_, firstItemLabel_, loopsLabel_, backTarget_,
            confirmExit_,     tryLabel_,    tryResult_,      trySwitch_};
}

void SwitchPanel::showTexts()
{
    const ProgramState& s = state();
    acceptanceLabel_->setText(testo("0411").arg(seconds(s.acceptanceMs / 1000.0, 2)));
    ignoreLabel_->setText(testo("0412").arg(seconds(s.ignoreAfterChoiceMs / 1000.0, 1)));
    firstItemLabel_->setText(testo("0413").arg(seconds(s.firstItemSteps, 1)));
    loopsLabel_->setText(s.loopsBeforePause == 0 ? testo("0415")
                                                 : testo("0414").arg(s.loopsBeforePause));
    backTarget_->setText(testo("0416"));
    confirmExit_->setText(testo("0417"));
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
