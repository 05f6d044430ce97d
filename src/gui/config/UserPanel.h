#pragma once

#include "gui/config/ConfigPanel.h"

#include <array>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;

namespace ortolino {

// Tab "Utente": whose settings the window edits (the default user, a user
// of the list, or a new one by name), whether the activity is recorded, and
// deleting a user of the list.
class UserPanel : public ConfigPanel
{
public:
    UserPanel(FormConfigura& window, QWidget* page);

    void showState() override;
    QList<QWidget*> colouredControls() const override;

    // "Nuovo utente" chosen and no name typed yet.
    bool newUserWithoutName() const;
    // "Nuovo utente" chosen with the name of a user who exists (in any letter
    // case): saving would write over that user's profile.
    bool newUserNameTaken() const;

private:
    void OptionUtente_Click(int Index);
    void ListModificaUtente_Click(QListWidgetItem* chosen);
    void diventaCorrente(const QString& nome);
    // The list of users anew, the user in force selected.
    void riempiListaUtenti();
    void showUserInForce();
    void TextNuovoUtente_Change();
    void CommandEliminaUtente_Click();
    // Writes the current user's profile before another becomes current; a
    // new user without a name of its own is left aside instead.
    bool salvaUtenteCorrente();

    std::array<QRadioButton*, 3> whoseOptions_{};
    QButtonGroup* whoseGroup_ = nullptr;
    QListWidget* users_ = nullptr;
    QLineEdit* newName_ = nullptr;
    QCheckBox* trackActivity_ = nullptr;
    QPushButton* deleteUser_ = nullptr;
    int opzioneUtente_ = 0;       // the user option in effect
    QString ultimoNomeAccettato_; // the new user's name as last accepted
    QString utentePrima_;         // the user in force when "Nuovo utente" was chosen
};

} // namespace ortolino
