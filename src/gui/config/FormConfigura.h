#pragma once

#include "core/exercise/ExerciseView.h"
#include "core/platform/MessageBoxes.h"
#include "core/platform/SpeakingCharacter.h"
#include "gui/widgets/Form.h"

#include <array>
#include <memory>
#include <optional>
#include <QList>

class QAction;
class QButtonGroup;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabBar;

namespace ortolino {

class LineControl;
class ShapeControl;
struct BarRange;
struct ParoleEditor;

// The teacher's window: whose settings are edited (tab "Utente"), the word
// list and letters in play, the lettering, fonts and colours, voice and
// sounds, and the input mode. Every control writes the program state at
// once; "&Menu" checks the letters, writes the profile and goes back to the
// main menu. A word-list editor covers the window when it is open.
class FormConfigura : public Form, private WaitingNotice
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

    void NascondiFrame();
    void ImpostaConfigurazioni(Lettere lettere = Lettere::Mantieni);

    // The list editor and its routines.
    void TrovaImmagini();
    void TrovaImmagini2();
    // Writes the list side of the editor to a file. False when it failed.
    bool SalvaFile(const QString& percorso);

    // The character and the voices.
    void CaricaPersonaggio();
    void ImpostaMerlino();
    void CaricaVociEPersonaggi();
    Personaggio* personaggio() const { return Personaggio_.get(); }
    QString ParametriVoce;

    // "&Menu": true when the window was left.
    bool mnuEsci_Click();

    QAction* mnuEsci = nullptr;
    QLabel* Label4 = nullptr;
    QTabBar* TabStrip1 = nullptr;
    QFrame* FrameUtente = nullptr;
    QFrame* FrameLettere = nullptr;
    QFrame* FrameFonts = nullptr;
    QFrame* FrameVoce = nullptr;
    QFrame* FramePunt = nullptr;

    // Tab "Utente".
    std::array<QRadioButton*, 3> OptionUtente{};
    QListWidget* ListModificaUtente = nullptr;
    QLineEdit* TextNuovoUtente = nullptr;
    QCheckBox* CheckSalvaUtente = nullptr;

    // Tab "Scelte didattiche".
    QGroupBox* Frame4 = nullptr;
    QCheckBox* Check2 = nullptr;
    QPushButton* CommandModificaListaInUso = nullptr;
    QPushButton* CommandCambiaListaInUso = nullptr;
    QPushButton* CommandCreaLista = nullptr;
    QLabel* LabelListaInUso = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* minuscolo = nullptr;
    QRadioButton* maiuscolo = nullptr;
    QRadioButton* corsivo = nullptr;
    QGroupBox* Frame2 = nullptr;
    std::array<QRadioButton*, 5> OptionQuanteLettere{};
    QGroupBox* Frame3 = nullptr;
    QPushButton* CommandSelezionaTutte = nullptr;
    QPushButton* CommandDeselezionaTutte = nullptr;
    std::array<QCheckBox*, 26> Op_Lettere{};

    // Tab "Fonts e Colori".
    QGroupBox* Frame6 = nullptr;
    std::array<QRadioButton*, 2> OptionColoreCasualeFisso{};
    QPushButton* CommandSceltaColori = nullptr;
    QCheckBox* CheckImpostazioniSistema = nullptr;
    QGroupBox* Frame5 = nullptr;
    QPushButton* CommandSceltaFont = nullptr;
    QPushButton* CommandSceltaColoreFont = nullptr;
    QPushButton* CommandSceltaSfondoTesto = nullptr;
    QPushButton* CommandSceltaColoreBottoni = nullptr;
    QLabel* LabelFontSelezionato = nullptr;
    QLabel* LabelPerColore = nullptr;

    // Tab "Voce e Suoni".
    QCheckBox* Check1 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QLabel* Label1 = nullptr;
    QScrollBar* HScroll2 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* CommandProvaVoce = nullptr;
    QLabel* LabelVoci = nullptr;
    QListWidget* List1 = nullptr;
    QLabel* LabelPersonaggi = nullptr;
    QListWidget* List2 = nullptr;
    QCheckBox* CheckSuoni = nullptr;
    LineControl* Line1 = nullptr;
    QLabel* Label3 = nullptr;

    // Tab "Modalità di input".
    std::array<QRadioButton*, 3> Option4{};
    QCheckBox* CheckDisabilitaMousePersonalizzato = nullptr;
    QCheckBox* CheckRiparti = nullptr;
    QCheckBox* CheckRiquadro = nullptr;
    QScrollBar* HScrollRiquadro = nullptr;
    ShapeControl* ShapeRiquadro = nullptr;
    QPushButton* CommandSceltaColoreBottoniSelezionati = nullptr;
    QScrollBar* HScroll3 = nullptr;
    QLabel* Label7 = nullptr;

    // The word-list editor, over the whole window.
    QGroupBox* FrameCreaNuovaLista = nullptr;
    QLabel* Label10 = nullptr;
    QListWidget* ListImmaginiDisponibili = nullptr;
    QLabel* Label9 = nullptr;
    QListWidget* ListImmaginiDaUtilizzare = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* CommandSvuotaLista = nullptr;
    QPushButton* CommandSalvaLista = nullptr;
    QPushButton* Command7 = nullptr;
    QLabel* Label8 = nullptr;

    // The waiting notice while the picture folder is read.
    QFrame* Picture1 = nullptr;
    QLabel* Label5 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Layout, one tab at a time (FormConfiguraLayout.cpp).
    void createTop();
    void createUserTab();
    void createChoicesTab();
    void createLetterBoxes();
    void createFontsTab();
    void createVoiceTab();
    void createInputTab();
    void createListEditor();
    void createWaitingNotice();
    void connectHandlers();
    void connectUserHandlers();
    void connectChoiceHandlers();
    void connectFontHandlers();
    void connectVoiceHandlers();
    void connectInputHandlers();
    void connectEditorHandlers();

    ProgramState& state() const;
    QString testo(const char* key) const;
    MessageBoxes::Answer mostra(const Message& message) const;
    void avvisa(const QString& text) const; // critical icon, OK
    QList<QWidget*> controlliColorati() const;

    // ImpostaConfigurazioni, in parts.
    void mostraLettere(Lettere lettere);
    void mostraCarattere();
    void mostraEsempioFont();
    void mostraModalita();
    // Shows a setting on its bar, brought into the bar's range first.
    void mostraSuBarra(QScrollBar* bar, int& setting, const BarRange& range);

    // Tab "Utente" (FormConfiguraUtenti.cpp).
    void OptionUtente_Click(int Index);
    void ListModificaUtente_Click(QListWidgetItem* current, QListWidgetItem* previous);
    void TextNuovoUtente_Change();
    bool nuovoUtenteSenzaNome() const;
    // Writes the current user's profile before another becomes current;
    // tells the user and returns false when it could not be written.
    bool salvaUtenteCorrente();
    bool salvaProfiloConAvviso();

    // Word lists (FormConfiguraListe.cpp).
    void Check2_Click(bool checked);
    void CommandCambiaListaInUso_Click();
    void CommandModificaListaInUso_Click();
    void CommandCreaLista_Click();
    void CommandSalvaLista_Click();
    void mostraEditor();
    void riempiEditor(const ParoleEditor& parole);
    void sposta(QListWidget* from, QListWidget* to);
    QString cartellaImmagini() const;
    void showWaitingNotice() override;
    void hideWaitingNotice() override;

    // Appearance (FormConfiguraAspetto.cpp).
    void carattere_Click(const QString& carattere);
    void CommandSceltaFont_Click();
    std::optional<Colore> scegliColore();
    void CommandSceltaColori_Click();
    void CommandSceltaColoreFont_Click();
    void CommandSceltaSfondoTesto_Click();
    void CommandSceltaColoreBottoni_Click();
    void CommandSceltaColoreBottoniSelezionati_Click();
    void CheckImpostazioniSistema_Click(bool checked);

    // Voice, input, letters (FormConfiguraVoce.cpp).
    void TabStrip1_Click(int index);
    void HScroll1_Change(int value);
    void HScroll2_Change(int value);
    void List1_Click(int row);
    void List2_Click(int row);
    std::unique_ptr<Personaggio> caricaPersonaggio(const QString& nome, QString* error) const;
    void preparaPersonaggio();
    void selezionaPersonaggioInElenco();
    void CheckRiquadro_Click(bool checked);
    void impostaTutteLeLettere(bool attive);
    int lettereSpuntate() const;

    QButtonGroup* gruppoUtente_ = nullptr;
    std::unique_ptr<Personaggio> Personaggio_;
    QList<Voce> voci_;            // the voices of List1, in its order
    int opzioneUtente_ = 0;       // the user option in effect
    QString ultimoNomeAccettato_; // the new user's name as last accepted
    bool uscita_ = false;         // leaving through "&Menu"
};

} // namespace ortolino
