#pragma once

#include "core/platform/MessageBoxes.h"
#include "gui/widgets/Form.h"

#include <array>

class QAction;
class QFrame;
class QLabel;
class QTabBar;

namespace ortolino {

class AppearancePanel;
class InputPanel;
class LettersPanel;
class ListPanel;
class Personaggio;
class SwitchPanel;
class UserPanel;
class VoicePanel;

// The teacher's window: whose settings are edited (tab "Utente"), the word
// list and letters in play, the lettering, fonts and colours, voice and
// sounds, the input mode and, while scanning, the child's switch timing.
// Each tab's controls belong to a panel (one
// class each, ConfigPanel); the window keeps the tab strip, shows the state
// through the panels and leaves through "&Menu", which checks the letters,
// writes the profile and goes back to the main menu. Every control writes
// the program state at once. A word-list editor covers the window when open.
class FormConfigura : public Form
{
    Q_OBJECT
public:
    FormConfigura(Program& program, WindowManager& windows);
    ~FormConfigura() override;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;

    // Which letter boxes ImpostaConfigurazioni sets: after a user's settings
    // were read they take the state; otherwise they keep what the teacher
    // ticked, which reaches the state only through "&Menu".
    enum class Lettere
    {
        Mantieni,
        DalloStato
    };
    void ImpostaConfigurazioni(Lettere lettere = Lettere::Mantieni);

    // The character of the voice tab, if one could be loaded.
    Personaggio* personaggio() const;

    // For the panels: texts, messages, the user's name on top, the profile.
    QString testo(const char* key) const;
    MessageBoxes::Answer mostra(const Message& message) const;
    void avvisa(const QString& text) const; // critical icon, OK
    void showUserName(const QString& name);
    // Writes the current user's profile; tells the user and returns false
    // when it could not be written.
    bool salvaProfiloConAvviso();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void NascondiFrame();
    void TabStrip1_Click(int index);
    // "&Menu": true when the window was left.
    bool mnuEsci_Click();

    QAction* exitAction_ = nullptr;
    QLabel* userName_ = nullptr;
    QTabBar* tabs_ = nullptr;
    // The tab pages, in the tab strip's order.
    std::array<QFrame*, 6> pages_{};

    UserPanel* users_ = nullptr;
    ListPanel* lists_ = nullptr;
    LettersPanel* letters_ = nullptr;
    AppearancePanel* appearance_ = nullptr;
    VoicePanel* voice_ = nullptr;
    InputPanel* input_ = nullptr;
    SwitchPanel* switches_ = nullptr;
    bool uscita_ = false; // leaving through "&Menu"
};

} // namespace ortolino
