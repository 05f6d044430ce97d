#pragma once

#include "core/platform/SpeakingCharacter.h"
#include "gui/config/ConfigPanel.h"

#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;

namespace ortolino {

// Tab "Voce e Suoni": speech on or off, the voice's speed and pitch, a test
// sentence, the voice and the character, and the sounds. The character
// stands on the left part of the tab while it is shown, a child of the tab,
// its balloon kept off the tab's controls.
class VoicePanel : public ConfigPanel
{
public:
    VoicePanel(FormConfigura& window, QWidget* page);
    ~VoicePanel() override;

    void showState() override;
    QList<QWidget*> colouredControls() const override;

    // Once, when the window is loaded: the bars and the character.
    void load();
    // Each time the window is shown.
    void activate();
    void unload();
    // The tab shown or left.
    void enter();
    void leave();
    Personaggio* personaggio() const { return personaggio_.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The character's stage: the tab, left of its controls.
    void stage();
    void HScroll1_Change(int value);
    void HScroll2_Change(int value);
    void List1_Click(int row);
    void List2_Click(int row);
    std::unique_ptr<Personaggio> caricaPersonaggio(const QString& nome, QString* error) const;
    void preparaPersonaggio();
    void ImpostaMerlino();
    void selezionaPersonaggioInElenco();
    void CaricaVociEPersonaggi();

    QCheckBox* speech_ = nullptr;
    QLabel* speedLabel_ = nullptr;
    QScrollBar* speed_ = nullptr;
    QLabel* pitchLabel_ = nullptr;
    QScrollBar* pitch_ = nullptr;
    QLineEdit* sentence_ = nullptr;
    QPushButton* tryVoice_ = nullptr;
    QListWidget* voices_ = nullptr;
    QListWidget* characters_ = nullptr;
    QCheckBox* sounds_ = nullptr;
    QCheckBox* celebration_ = nullptr;

    std::unique_ptr<Personaggio> personaggio_;
    QList<Voce> voci_;  // the voices of the voice list, in its order
    QString voiceTags_; // speech tags put in front of every spoken text
};

} // namespace ortolino
