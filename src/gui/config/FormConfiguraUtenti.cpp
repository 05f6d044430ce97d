// Tab "Utente": whose settings the window edits.
#include "core/app/Profile.h"
#include "core/app/Program.h"
#include "core/config/ConfigUsers.h"
#include "gui/config/FormConfigura.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalBlocker>

namespace ortolino {

namespace {

constexpr int kOpzionePredefinito = 0;
constexpr int kOpzioneModifica = 1;
constexpr int kOpzioneNuovo = 2;

} // namespace

void FormConfigura::connectUserHandlers()
{
    // A click counts even on the option already selected: when the window
    // opens, "Utente predefinito" shows selected whoever the current user is.
    connect(gruppoUtente_, &QButtonGroup::idClicked, this, &FormConfigura::OptionUtente_Click);
    connect(ListModificaUtente, &QListWidget::currentItemChanged, this,
            &FormConfigura::ListModificaUtente_Click);
    connect(TextNuovoUtente, &QLineEdit::textChanged, this, &FormConfigura::TextNuovoUtente_Change);
    connect(CheckSalvaUtente, &QCheckBox::toggled, this,
            [this](bool checked) { state().TieniTraccia = checked; });
}

bool FormConfigura::nuovoUtenteSenzaNome() const
{
    return opzioneUtente_ == kOpzioneNuovo && TextNuovoUtente->text().trimmed().isEmpty();
}

bool FormConfigura::salvaProfiloConAvviso()
{
    if (SalvaProfilo(state()))
        return true;
    avvisa(testo("0206") + QLatin1Char('\n') + state().PercorsoProfilo);
    return false;
}

bool FormConfigura::salvaUtenteCorrente()
{
    // A new user without a name has no profile yet; the user before was
    // saved when "Nuovo utente" was chosen.
    if (nuovoUtenteSenzaNome())
        return true;
    return salvaProfiloConAvviso();
}

void FormConfigura::OptionUtente_Click(int Index)
{
    if (!salvaUtenteCorrente()) {
        OptionUtente[static_cast<size_t>(opzioneUtente_)]->setChecked(true);
        return;
    }
    opzioneUtente_ = Index;
    switch (Index) {
    case kOpzionePredefinito:
        rendiCorrente(state(), program().env, kUtentePredefinito);
        Label4->setText(state().NomeUtente);
        TextNuovoUtente->hide();
        ListModificaUtente->hide();
        CheckSalvaUtente->hide();
        break;
    case kOpzioneModifica: {
        ListModificaUtente->show();
        const QSignalBlocker quiet(ListModificaUtente);
        ListModificaUtente->clear();
        ListModificaUtente->addItems(utentiModificabili(program().env));
        TextNuovoUtente->hide();
        break;
    }
    case kOpzioneNuovo:
        ultimoNomeAccettato_.clear();
        TextNuovoUtente->clear();
        TextNuovoUtente->show();
        TextNuovoUtente->setFocus();
        ListModificaUtente->hide();
        CheckSalvaUtente->show();
        CheckSalvaUtente->setChecked(false);
        break;
    default:
        break;
    }
}

void FormConfigura::ListModificaUtente_Click(QListWidgetItem* current, QListWidgetItem* previous)
{
    if (current == nullptr)
        return;
    if (!salvaUtenteCorrente()) {
        const QSignalBlocker quiet(ListModificaUtente);
        ListModificaUtente->setCurrentItem(previous);
        return;
    }
    ProgramState& s = state();
    rendiCorrente(s, program().env, current->text());
    Label4->setText(s.NomeUtente);
    LeggiProfilo(s, program().env);
    ImpostaConfigurazioni(Lettere::DalloStato);
}

void FormConfigura::TextNuovoUtente_Change()
{
    const QString typed = TextNuovoUtente->text();
    if (typed.trimmed().isEmpty())
        return;
    if (!nomeUtenteAccettabile(typed)) {
        // Refused at once, so that no profile is ever named after it.
        avvisa(testo("0204"));
        const QSignalBlocker quiet(TextNuovoUtente);
        TextNuovoUtente->setText(ultimoNomeAccettato_);
        return;
    }
    ultimoNomeAccettato_ = typed;
    rendiCorrente(state(), program().env, typed);
    Label4->setText(typed);
}

} // namespace ortolino
