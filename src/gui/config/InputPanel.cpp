#include "gui/config/InputPanel.h"

#include "core/app/Program.h"
#include "core/config/ConfigSettings.h"
#include "gui/config/FormConfigura.h"
#include "gui/widgets/Accessibility.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/FittedText.h"
#include "gui/widgets/ShapeControl.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace ortolino {

namespace {

// "The highlight hardly stands out from the keys (contrast %1:1, 3:1 needed)."
const QString kContrastWarningKey = QStringLiteral("0451");

constexpr ControlDesign kDesign[] = {
    {"Option4", 0, "Mouse o tastiera", 480, 360, 5760, 540},
    {"Option4", 1, "Scansione manuale - spazio e invio ", 480, 1080, 5760, 540},
    {"Option4", 2, "Scansione automatica - spazio", 480, 1800, 5760, 540},
    {"CheckDisabilitaMousePersonalizzato", -1, "Usa mouse di sistema", 480, 2760, 5760, 540},
    {"CheckRiparti", -1, "Riparti dall'inizio dopo la selezione", 6720, 360, 6060, 540},
    {"CheckRiquadro", -1, "Con riquadro", 6720, 1080, 2880, 540},
    {"HScrollRiquadro", -1, nullptr, 6720, 1800, 3600, 360},
    {"ShapeRiquadro", -1, nullptr, 10560, 1020, 2160, 1320},
    {"CommandSceltaColoreBottoniSelezionati", -1, "Colore bottone selezionato", 6720, 2760, 3960,
     660},
    {"LabelAvvisoContrasto", -1, nullptr, 6720, 3420, 6060, 900},
    {"Label7", -1, nullptr, 6720, 4380, 6060, 420},
    {"HScroll3", -1, nullptr, 6720, 4800, 6060, 360},
};

} // namespace

InputPanel::InputPanel(FormConfigura& window, QWidget* page) : ConfigPanel(window, kDesign)
{
    auto* modes = new QButtonGroup(this);
    for (int i = 0; i < static_cast<int>(modes_.size()); ++i) {
        modes_[static_cast<size_t>(i)] = make<QRadioButton>(page, "Option4", i);
        modes->addButton(modes_[static_cast<size_t>(i)], i);
    }
    systemPointer_ = make<QCheckBox>(page, "CheckDisabilitaMousePersonalizzato");
    restart_ = make<QCheckBox>(page, "CheckRiparti");
    scanFrame_ = make<QCheckBox>(page, "CheckRiquadro");
    frameWidth_ = makeBar(page, "HScrollRiquadro", kBarraRiquadro, 3);
    frameSample_ = make<ShapeControl>(page, "ShapeRiquadro");
    chooseSelectedColour_ = make<QPushButton>(page, "CommandSceltaColoreBottoniSelezionati");
    // The warning takes up to three lines, smaller where even they are short.
    contrastWarning_ = make<FittedLabel>(page, "LabelAvvisoContrasto");
    contrastWarning_->setWordWrap(true);
    speedLabel_ = makeCaption(page, "Label7");
    speed_ = makeBar(page, "HScroll3", kBarraScansione, 4);
    tieLabel(speedLabel_, speed_); // a screen reader reads the bar with its label

    connect(modes, &QButtonGroup::idToggled, this, [this](int index, bool checked) {
        if (!checked)
            return;
        state().ModalitaInput = index;
        showWholeState();
    });
    connect(restart_, &QCheckBox::toggled, this,
            [this](bool checked) { state().RipartiDallInizio = checked; });
    // Clicked, not toggled: showing the state sets the box, which must not
    // show the whole state again from inside.
    connect(scanFrame_, &QCheckBox::clicked, this, &InputPanel::CheckRiquadro_Click);
    connect(systemPointer_, &QCheckBox::toggled, this,
            [this](bool checked) { state().MouseDiSistema = checked; });
    connect(frameWidth_, &QScrollBar::valueChanged, this, [this](int value) {
        state().SpessoreRiquadro = value;
        showWholeState();
    });
    connect(chooseSelectedColour_, &QPushButton::clicked, this,
            &InputPanel::CommandSceltaColoreBottoniSelezionati_Click);
    connect(speed_, &QScrollBar::valueChanged, this, [this](int value) {
        state().VelocitaScansione = value;
        speedLabel_->setText(testoVelocitaScansione(program().language, value));
    });
}

void InputPanel::showMode()
{
    const int mode = state().ModalitaInput;
    if (mode >= 0 && mode < static_cast<int>(modes_.size()))
        modes_[static_cast<size_t>(mode)]->setChecked(true);
}

void InputPanel::showState()
{
    ProgramState& s = state();
    showOnBar(frameWidth_, s.SpessoreRiquadro, kBarraRiquadro);
    restart_->setChecked(s.RipartiDallInizio);
    scanFrame_->setChecked(s.ConRiquadro);
    frameSample_->setBorder(s.SpessoreRiquadro, qtColor(s.ColoreBottoneSelezionato));
    setBackground(chooseSelectedColour_, qtColor(s.ColoreBottoneSelezionato));
    systemPointer_->setChecked(s.MouseDiSistema);
    // The highlight should stand out from the keys by 3:1 at least.
    const double contrast = highlightContrast(s);
    contrastWarning_->setText(
        program().text(kContrastWarningKey).arg(program().language.number(contrast, 1)));
    contrastWarning_->setProperty("lowContrast", contrast < kHighlightContrastMin);
    mostraModalita();
    if (s.ModalitaInput == kInputScansioneAutomatica) {
        showOnBar(speed_, s.VelocitaScansione, kBarraScansione);
        speedLabel_->setText(testoVelocitaScansione(program().language, s.VelocitaScansione));
    }
}

QList<QWidget*> InputPanel::colouredControls() const
{
    QList<QWidget*> controls = {restart_, systemPointer_, scanFrame_};
    for (QRadioButton* option : modes_)
        controls << option;
    return controls;
}

void InputPanel::mostraModalita()
{
    const ProgramState& s = state();
    const VisibilitaInput v = visibilitaPerModalita(s.ModalitaInput, s.ConRiquadro);
    restart_->setVisible(v.riparti);
    scanFrame_->setVisible(v.riquadro);
    frameSample_->setVisible(v.campione);
    frameWidth_->setVisible(v.campione);
    systemPointer_->setVisible(v.mouse);
    contrastWarning_->setVisible(s.ModalitaInput != kInputMouse &&
                                 contrastWarning_->property("lowContrast").toBool());
    speed_->setVisible(v.velocita);
    speedLabel_->setVisible(v.velocita);
}

void InputPanel::CheckRiquadro_Click(bool checked)
{
    state().ConRiquadro = checked;
    showWholeState(); // the switch tab's frame colour comes and goes with the frame
}

void InputPanel::CommandSceltaColoreBottoniSelezionati_Click()
{
    if (const std::optional<Colore> colour = chooseColour(state().ColoreBottoneSelezionato))
        state().ColoreBottoneSelezionato = *colour;
    showWholeState();
}

} // namespace ortolino
