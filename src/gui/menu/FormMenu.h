#pragma once

#include "core/menu/MenuScan.h"
#include "gui/widgets/AuditoryScan.h"
#include "gui/widgets/Form.h"

#include <array>

class QAction;
class QComboBox;
class QKeyEvent;
class QLabel;
class QMenu;
class QTimer;

namespace ortolino {

class ClickLabel;
class FontFitter;
class SwitchBox;

// The main menu: four exercise kinds and "ESCI" as big label-buttons with a
// picture beside each, the list of users, the status line naming the word
// list, and the menu bar to the other windows and the languages. Children
// who use switches drive it by manual or automatic scanning.
class FormMenu : public Form
{
    Q_OBJECT
public:
    FormMenu(Program& program, WindowManager& windows);

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;

    // Public operations of the window.
    void MLSFillMenuLanguages();
    void ImpostaUtente();
    void RecuperaUtenti();
    void AvviaEsercizi(int Esercizio);

    // Handlers a test may drive directly (the timer's tick above all).
    void Combo1_Click();
    void Timer1_Timer();
    void mnuLanguage_Click(int Index);

    // The button under the scan (0 to 4).
    int PulsanteCorrente() const { return scansione_.PulsanteCorrente(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static bool choosesWhileClosed(const QKeyEvent& key);
    void createButtons();
    void createSwitchBoxes();
    void createMenus();
    QAction* addLanguageEntry(int index);

    void Command1_Click(int Index);
    void Image1_Click(int Index);
    void Command1_MouseMove(int Index);
    void Form_MouseMove();
    void mnuOpzioni_Click();
    void mnuEserciziEseguiti_Click();
    void mnuInformazioni_Click();
    void mnuDocum_Click();

    void PictureScansioneManuale_KeyUp(int key);
    void PictureScansione_KeyDown(int key);
    void PictureScansioneAutomatica_KeyUp(int key);

    // Applies the scan's state: the lit button, the timer and the focus box.
    void impostaModalita();
    void mostraScansione();
    void evidenzia(int index);
    void aggiornaStato();
    // The texts of the current language that the menu draws itself: the
    // example pictures' words and the default user's name in the list.
    void mostraTestiLingua();
    QString nomeInElenco(const QString& user);
    QColor coloreFinestra() const;
    // Shows another window and unloads this one; nothing if it does not exist.
    void passaA(const QString& name);
    // False when the teacher keeps the program open for the history's words
    // that the disk has refused so far.
    bool chiudereConParoleNonScritte();

    std::array<ClickLabel*, kPulsantiMenu> buttons_{};  // the exercise kinds and "ESCI"
    std::array<ClickLabel*, kPulsantiMenu> pictures_{}; // beside the buttons
    QComboBox* users_ = nullptr;
    FontFitter* usersFit_ = nullptr;
    QLabel* statusText_ = nullptr; // the status bar's first panel
    QTimer* scanTimer_ = nullptr;
    SwitchBox* manualSwitch_ = nullptr;
    SwitchBox* autoSwitch_ = nullptr;
    QLabel* scanSign_ = nullptr;
    QAction* reportAction_ = nullptr;
    QMenu* languagesMenu_ = nullptr;
    QList<QAction*> languageEntries_;
    ScansioneMenu scansione_;
    AuditoryScan auditory_;
    int heardIndex_ = -1; // the lit button last heard
};

} // namespace ortolino
