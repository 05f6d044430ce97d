#include "gui/config/AppearancePanel.h"

#include "core/app/Program.h"
#include "core/config/ConfigSettings.h"
#include "core/platform/Colore.h"
#include "core/platform/Dialogs.h"
#include "gui/config/FormConfigura.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/FittedText.h"
#include "gui/widgets/QtDialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace ortolino {

namespace {

constexpr ControlDesign kDesign[] = {
    {"Frame6", -1, "Colore sfondo", 240, 120, 6000, 2520},
    {"OptionColoreCasualeFisso", 0, "Colore casuale", 360, 420, 3360, 540},
    {"OptionColoreCasualeFisso", 1, "Colore fisso", 360, 1080, 3360, 540},
    {"CommandSceltaColori", -1, "Colori", 3840, 1020, 1920, 660},
    {"CheckImpostazioniSistema", -1, "Usa impostazioni di sistema", 480, 2880, 5760, 540},
    {"Frame5", -1, nullptr, 6480, 120, 6300, 3300},
    {"CommandSceltaFont", -1, "Font", 360, 420, 2700, 660},
    {"CommandSceltaColoreFont", -1, "Colore font", 3240, 420, 2700, 660},
    {"CommandSceltaSfondoTesto", -1, "Sfondo testo", 360, 1320, 2700, 660},
    {"CommandSceltaColoreBottoni", -1, "Bottoni", 3240, 1320, 2700, 660},
    {"LabelAvvisoLeggibilita", -1, nullptr, 360, 2100, 5580, 1080},
    {"LabelFontSelezionato", -1, "Esempio di font e colore del testo", 240, 3660, 12540, 4560},
};

} // namespace

AppearancePanel::AppearancePanel(FormConfigura& window, QWidget* page)
    : ConfigPanel(window, kDesign)
{
    backgroundFrame_ = make<FittedGroupBox>(page, "Frame6");
    auto* randomOrFixed = new QButtonGroup(this);
    for (int i = 0; i < static_cast<int>(randomOrFixed_.size()); ++i) {
        auto* option = make<QRadioButton>(backgroundFrame_, "OptionColoreCasualeFisso", i);
        randomOrFixed->addButton(option, i);
        randomOrFixed_[static_cast<size_t>(i)] = option;
    }
    chooseBackground_ = make<QPushButton>(backgroundFrame_, "CommandSceltaColori");
    systemColours_ = make<QCheckBox>(page, "CheckImpostazioniSistema");
    letteringFrame_ = make<FittedGroupBox>(page, "Frame5");
    auto* chooseFont = make<QPushButton>(letteringFrame_, "CommandSceltaFont");
    auto* chooseFontColour = make<QPushButton>(letteringFrame_, "CommandSceltaColoreFont");
    auto* chooseTextBackground = make<QPushButton>(letteringFrame_, "CommandSceltaSfondoTesto");
    chooseButtonColour_ = make<QPushButton>(letteringFrame_, "CommandSceltaColoreBottoni");
    readabilityWarning_ = make<FittedLabel>(letteringFrame_, "LabelAvvisoLeggibilita");
    readabilityWarning_->setWordWrap(true);
    // Fitted as the exercise's word is: a size too big for the box shows as
    // big as it can, not as a few cut letters.
    sample_ = make<FittedLabel>(page, "LabelFontSelezionato");
    sample_->setAlignment(Qt::AlignCenter);
    sample_->setWordWrap(true);
    sample_->setFrameStyle(QFrame::Box | QFrame::Plain);

    connect(randomOrFixed, &QButtonGroup::idToggled, this, [this](int index, bool checked) {
        if (!checked)
            return;
        state().ColoreCasuale = index == 0;
        showWholeState();
    });
    connect(chooseBackground_, &QPushButton::clicked, this,
            &AppearancePanel::CommandSceltaColori_Click);
    connect(systemColours_, &QCheckBox::toggled, this,
            &AppearancePanel::CheckImpostazioniSistema_Click);
    connect(chooseFont, &QPushButton::clicked, this, &AppearancePanel::CommandSceltaFont_Click);
    connect(chooseFontColour, &QPushButton::clicked, this,
            &AppearancePanel::CommandSceltaColoreFont_Click);
    connect(chooseTextBackground, &QPushButton::clicked, this,
            &AppearancePanel::CommandSceltaSfondoTesto_Click);
    connect(chooseButtonColour_, &QPushButton::clicked, this,
            &AppearancePanel::CommandSceltaColoreBottoni_Click);
}

void AppearancePanel::showState()
{
    const ProgramState& s = state();
    QFont font = sample_->font();
    font.setFamily(s.NomeFont);
    if (s.DimensioneFont > 0)
        font.setPointSize(s.DimensioneFont);
    sample_->setFont(font);
    setForeground(sample_, qtColor(s.ColoreFont));
    setBackground(sample_, qtColor(s.ColoreSfondoTesto));
    showReadability();
    randomOrFixed_[s.ColoreCasuale ? 0 : 1]->setChecked(true);
    systemColours_->setChecked(s.ColoriDiSistema);
    backgroundFrame_->setEnabled(!s.ColoriDiSistema);
    chooseBackground_->setEnabled(!s.ColoreCasuale);
}

QList<QWidget*> AppearancePanel::colouredControls() const
{
    return {backgroundFrame_, letteringFrame_, randomOrFixed_[0], randomOrFixed_[1],
            systemColours_};
}

void AppearancePanel::CommandSceltaFont_Click()
{
    Dialogs* dialogs = program().services.dialogs;
    if (dialogs == nullptr)
        return;
    // The print face, the one chosen here, also while cursive is in force.
    const QFont shown = sample_->font();
    const std::optional<FontChoice> choice =
        dialogs->ShowFontDialog(&window(), {state().NomeFontScelto, shown.pointSize(), shown.bold(),
                                            shown.italic(), shown.underline()});
    if (!choice)
        return;
    applyFontChoice(sample_, *choice);
    const bool cursiveStays = applicaFontScelto(state(), *choice);
    // The sample shows the face in force before the notice says which one it is.
    showWholeState();
    if (cursiveStays) {
        Message notice;
        notice.text = testo("0008") + QLatin1Char('\n') + testo("0009");
        notice.icon = Message::Icon::Information;
        mostra(notice);
    }
}

void AppearancePanel::CommandSceltaColori_Click()
{
    if (const std::optional<Colore> colour = chooseColour(state().ColoreSfondo))
        state().ColoreSfondo = *colour;
    showWholeState();
}

void AppearancePanel::CommandSceltaColoreFont_Click()
{
    if (const std::optional<Colore> colour = chooseColour(state().ColoreFont)) {
        state().ColoreFont = *colour;
        setForeground(sample_, qtColor(*colour));
        showReadability();
    }
}

void AppearancePanel::CommandSceltaSfondoTesto_Click()
{
    if (const std::optional<Colore> colour = chooseColour(state().ColoreSfondoTesto)) {
        state().ColoreSfondoTesto = *colour;
        setBackground(sample_, qtColor(*colour));
        showReadability();
    }
}

void AppearancePanel::showReadability()
{
    // The child's word in the text colour on the text background: the same
    // colour, or two close ones, leave it unreadable. The system's colours
    // are the desktop's business.
    const ProgramState& s = state();
    const double contrast = contrastRatio(qtColor(s.ColoreFont), qtColor(s.ColoreSfondoTesto));
    readabilityWarning_->setText(testo("0283").arg(program().language.number(contrast, 1)));
    readabilityWarning_->setVisible(!s.ColoriDiSistema && contrast < kTextContrastMin);
}

void AppearancePanel::CommandSceltaColoreBottoni_Click()
{
    if (const std::optional<Colore> colour = chooseColour(state().ColoreBottoni))
        state().ColoreBottoni = *colour;
    setBackground(chooseButtonColour_, qtColor(state().ColoreBottoni));
}

void AppearancePanel::CheckImpostazioniSistema_Click(bool checked)
{
    // Checking also turns on the system pointer, which the input tab shows.
    impostaColoriDiSistema(state(), checked);
    showWholeState();
}

} // namespace ortolino
