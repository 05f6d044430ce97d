// Appearance: letter case, fonts, colours, system colours and pointer.
#include "core/app/Program.h"
#include "core/config/ConfigSettings.h"
#include "core/platform/Dialogs.h"
#include "gui/config/FormConfigura.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/QtDialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace ortolino {

void FormConfigura::connectFontHandlers()
{
    for (QRadioButton* option : {minuscolo, maiuscolo, corsivo}) {
        connect(option, &QRadioButton::toggled, this, [this, option](bool checked) {
            if (checked)
                carattere_Click(option->objectName());
        });
    }
    auto* sfondo = new QButtonGroup(this);
    for (int i = 0; i < static_cast<int>(OptionColoreCasualeFisso.size()); ++i)
        sfondo->addButton(OptionColoreCasualeFisso[static_cast<size_t>(i)], i);
    connect(sfondo, &QButtonGroup::idToggled, this, [this](int index, bool checked) {
        if (!checked)
            return;
        state().ColoreCasuale = index == 0;
        ImpostaConfigurazioni();
    });
    connect(CommandSceltaColori, &QPushButton::clicked, this,
            &FormConfigura::CommandSceltaColori_Click);
    connect(CheckImpostazioniSistema, &QCheckBox::toggled, this,
            &FormConfigura::CheckImpostazioniSistema_Click);
    connect(CommandSceltaFont, &QPushButton::clicked, this,
            &FormConfigura::CommandSceltaFont_Click);
    connect(CommandSceltaColoreFont, &QPushButton::clicked, this,
            &FormConfigura::CommandSceltaColoreFont_Click);
    connect(CommandSceltaSfondoTesto, &QPushButton::clicked, this,
            &FormConfigura::CommandSceltaSfondoTesto_Click);
    connect(CommandSceltaColoreBottoni, &QPushButton::clicked, this,
            &FormConfigura::CommandSceltaColoreBottoni_Click);
    connect(CommandSceltaColoreBottoniSelezionati, &QPushButton::clicked, this,
            &FormConfigura::CommandSceltaColoreBottoniSelezionati_Click);
}

void FormConfigura::carattere_Click(const QString& carattere)
{
    impostaCarattereLettere(state(), carattere);
    ImpostaConfigurazioni();
}

void FormConfigura::CommandSceltaFont_Click()
{
    Dialogs* dialogs = program().services.dialogs;
    if (dialogs == nullptr)
        return;
    const std::optional<FontChoice> choice =
        dialogs->ShowFontDialog(this, LabelFontSelezionato->font().pointSize());
    if (!choice)
        return;
    applyFontChoice(LabelFontSelezionato, *choice);
    if (applicaFontScelto(state(), *choice)) {
        Message notice;
        notice.text = testo("0008") + QLatin1Char('\n') + testo("0009");
        notice.icon = Message::Icon::Information;
        mostra(notice);
    }
    ImpostaConfigurazioni();
}

std::optional<Colore> FormConfigura::scegliColore()
{
    Dialogs* dialogs = program().services.dialogs;
    std::optional<Colore> colour = dialogs ? dialogs->ShowColorDialog(this) : std::nullopt;
    if (colour) {
        // The design's dialog wrote its colour into this hidden label.
        setForeground(LabelPerColore, qtColor(*colour));
    }
    return colour;
}

void FormConfigura::CommandSceltaColori_Click()
{
    if (const std::optional<Colore> colour = scegliColore())
        state().ColoreSfondo = *colour;
    ImpostaConfigurazioni();
}

void FormConfigura::CommandSceltaColoreFont_Click()
{
    if (const std::optional<Colore> colour = scegliColore()) {
        state().ColoreFont = *colour;
        setForeground(LabelFontSelezionato, qtColor(*colour));
    }
}

void FormConfigura::CommandSceltaSfondoTesto_Click()
{
    if (const std::optional<Colore> colour = scegliColore()) {
        state().ColoreSfondoTesto = *colour;
        setBackground(LabelFontSelezionato, qtColor(*colour));
    }
}

void FormConfigura::CommandSceltaColoreBottoni_Click()
{
    if (const std::optional<Colore> colour = scegliColore())
        state().ColoreBottoni = *colour;
    setBackground(CommandSceltaColoreBottoni, qtColor(state().ColoreBottoni));
}

void FormConfigura::CommandSceltaColoreBottoniSelezionati_Click()
{
    if (const std::optional<Colore> colour = scegliColore())
        state().ColoreBottoneSelezionato = *colour;
    ImpostaConfigurazioni();
}

void FormConfigura::CheckImpostazioniSistema_Click(bool checked)
{
    impostaColoriDiSistema(state(), checked);
    if (checked)
        CheckDisabilitaMousePersonalizzato->setChecked(true);
    Frame6->setEnabled(!checked);
}

} // namespace ortolino
