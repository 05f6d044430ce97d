#include "gui/config/UserPanel.h"

#include "core/app/Program.h"
#include "core/app/Users.h"
#include "core/config/ConfigUsers.h"
#include "core/history/History.h"
#include "core/platform/FileNames.h"
#include "gui/config/FormConfigura.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace ortolino {

namespace {

constexpr int kOpzionePredefinito = 0;
constexpr int kOpzioneModifica = 1;
constexpr int kOpzioneNuovo = 2;

constexpr ControlDesign kDesign[] = {
    {"OptionUtente", 0, "Utente predefinito", 480, 480, 4800, 540},
    {"OptionUtente", 1, "Modifica utente", 480, 1200, 4800, 540},
    {"OptionUtente", 2, "Nuovo utente", 480, 1920, 4800, 540},
    {"ListModificaUtente", -1, nullptr, 5760, 480, 4560, 5400},
    {"TextNuovoUtente", -1, nullptr, 5760, 1920, 4560, 540},
    {"CheckSalvaUtente", -1, "Tieni traccia dell'attività eseguita", 480, 2880, 5040, 540},
    {"CommandEliminaUtente", -1, "Elimina utente", 480, 3720, 3000, 540},
};

} // namespace

UserPanel::UserPanel(FormConfigura& window, QWidget* page) : ConfigPanel(window, kDesign)
{
    whoseGroup_ = new QButtonGroup(this);
    for (int i = 0; i < static_cast<int>(whoseOptions_.size()); ++i) {
        auto* option = make<QRadioButton>(page, "OptionUtente", i);
        whoseGroup_->addButton(option, i);
        whoseOptions_[static_cast<size_t>(i)] = option;
    }
    whoseOptions_[0]->setChecked(true);
    users_ = make<QListWidget>(page, "ListModificaUtente");
    users_->hide();
    newName_ = make<QLineEdit>(page, "TextNuovoUtente");
    newName_->hide();
    trackActivity_ = make<QCheckBox>(page, "CheckSalvaUtente");
    deleteUser_ = make<QPushButton>(page, "CommandEliminaUtente");
    deleteUser_->hide();

    // A click counts even on the option already selected: when the window
    // opens, "Utente predefinito" shows selected whoever the current user is.
    connect(whoseGroup_, &QButtonGroup::idClicked, this, &UserPanel::OptionUtente_Click);
    // Only a deliberate choice changes the user: a click or a keyboard move of
    // the selection. Focus alone makes a row current without selecting it.
    connect(users_, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> chosen = users_->selectedItems();
        if (!chosen.isEmpty())
            ListModificaUtente_Click(chosen.first());
    });
    connect(newName_, &QLineEdit::textChanged, this, &UserPanel::TextNuovoUtente_Change);
    connect(trackActivity_, &QCheckBox::toggled, this,
            [this](bool checked) { state().TieniTraccia = checked; });
    connect(deleteUser_, &QPushButton::clicked, this, &UserPanel::CommandEliminaUtente_Click);
}

void UserPanel::showState()
{
    trackActivity_->setChecked(state().TieniTraccia);
}

QList<QWidget*> UserPanel::colouredControls() const
{
    return {whoseOptions_[0], whoseOptions_[1], whoseOptions_[2], trackActivity_};
}

bool UserPanel::newUserWithoutName() const
{
    return opzioneUtente_ == kOpzioneNuovo && newName_->text().trimmed().isEmpty();
}

bool UserPanel::newUserNameTaken() const
{
    return opzioneUtente_ == kOpzioneNuovo && !newUserWithoutName() &&
           QFileInfo::exists(resolveCaseInsensitive(state().PercorsoProfilo));
}

bool UserPanel::salvaUtenteCorrente()
{
    // A new user without a name, or with a name already taken, gets no
    // profile: the user before, saved when "Nuovo utente" was chosen, is in
    // force again, so that nothing is saved under a name typed and erased.
    if (newUserWithoutName() || newUserNameTaken()) {
        diventaCorrente(utentePrima_);
        return true;
    }
    return window().salvaProfiloConAvviso();
}

void UserPanel::OptionUtente_Click(int Index)
{
    if (!salvaUtenteCorrente()) {
        whoseOptions_[static_cast<size_t>(opzioneUtente_)]->setChecked(true);
        return;
    }
    opzioneUtente_ = Index;
    switch (Index) {
    case kOpzionePredefinito:
        // The default user's own settings, not a copy of the user shown before.
        diventaCorrente(kUtentePredefinito);
        newName_->hide();
        users_->hide();
        trackActivity_->hide();
        deleteUser_->hide();
        break;
    case kOpzioneModifica:
        users_->show();
        riempiListaUtenti();
        newName_->hide();
        deleteUser_->show();
        break;
    case kOpzioneNuovo:
        utentePrima_ = state().NomeUtente;
        ultimoNomeAccettato_.clear();
        newName_->clear();
        newName_->show();
        newName_->setFocus();
        users_->hide();
        deleteUser_->hide();
        trackActivity_->show();
        trackActivity_->setChecked(false);
        break;
    default:
        break;
    }
}

// The user `nome` becomes current with the settings of its own profile.
void UserPanel::diventaCorrente(const QString& nome)
{
    ProgramState& s = state();
    rendiCorrente(s, program().env, nome);
    leggiImpostazioniUtente(s, program().env);
    window().ImpostaConfigurazioni(FormConfigura::Lettere::DalloStato);
    window().showUserName(s.NomeUtente);
}

void UserPanel::riempiListaUtenti()
{
    {
        const QSignalBlocker quiet(users_);
        users_->clear();
        users_->addItems(utentiModificabili(program().env));
    }
    showUserInForce();
}

// The list shows the user in force as selected (none when it is not listed);
// only a listed user can be deleted.
void UserPanel::showUserInForce()
{
    deleteUser_->setEnabled(!utentePredefinito(state().NomeUtente));
    const QSignalBlocker quiet(users_);
    users_->clearSelection();
    for (int i = 0; i < users_->count(); ++i) {
        if (users_->item(i)->text().compare(state().NomeUtente, Qt::CaseInsensitive) == 0) {
            users_->setCurrentRow(i);
            users_->item(i)->setSelected(true);
        }
    }
}

void UserPanel::ListModificaUtente_Click(QListWidgetItem* current)
{
    if (current->text().compare(state().NomeUtente, Qt::CaseInsensitive) == 0)
        return; // the user in force: nothing to change
    if (!salvaUtenteCorrente()) {
        showUserInForce();
        return;
    }
    diventaCorrente(current->text());
    showUserInForce();
}

// The user shown goes for good, after a question: profile, switch settings
// and progress history. The default user takes its place.
void UserPanel::CommandEliminaUtente_Click()
{
    const QString nome = state().NomeUtente;
    if (utentePredefinito(nome))
        return;
    if (mostra(destructiveQuestion(testo("0310").arg(nome))) != MessageBoxes::Answer::Yes)
        return;
    if (!eliminaUtente(program().env, nome)) {
        avvisa(testo("0311").arg(nome));
        return;
    }
    if (History* history = program().services.history)
        history->forget(nome);
    diventaCorrente(kUtentePredefinito);
    riempiListaUtenti();
}

void UserPanel::TextNuovoUtente_Change()
{
    const QString typed = newName_->text();
    if (typed.trimmed().isEmpty())
        return;
    // "Marco " would be a second Marco, alike in every list. The name is
    // judged without its blanks: " .Marco" would name a hidden profile.
    const QString nome = typed.trimmed();
    if (!nomeUtenteAccettabile(nome)) {
        // Refused at once, so that no profile is ever named after it.
        avvisa(testo("0204"));
        const QSignalBlocker quiet(newName_);
        newName_->setText(ultimoNomeAccettato_);
        return;
    }
    ultimoNomeAccettato_ = typed;
    rendiCorrente(state(), program().env, nome);
    window().showUserName(nome);
}

} // namespace ortolino
