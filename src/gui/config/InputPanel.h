#pragma once

#include "gui/config/ConfigPanel.h"

#include <array>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace ortolino {

class ShapeControl;

// Tab "Modalità di input": mouse or keyboard, manual or automatic scanning,
// and each mode's own controls (system pointer; starting again after a
// choice, the scan frame and its sample, the scan speed).
class InputPanel : public ConfigPanel
{
public:
    InputPanel(FormConfigura& window, QWidget* page);

    void showState() override;
    QList<QWidget*> colouredControls() const override;
    // Selects the input mode of the state.
    void showMode();

private:
    void CheckRiquadro_Click(bool checked);
    void CommandSceltaColoreBottoniSelezionati_Click();
    void mostraModalita();

    std::array<QRadioButton*, 3> modes_{};
    QCheckBox* systemPointer_ = nullptr;
    QCheckBox* restart_ = nullptr;
    QCheckBox* scanFrame_ = nullptr;
    QScrollBar* frameWidth_ = nullptr;
    ShapeControl* frameSample_ = nullptr;
    QPushButton* chooseSelectedColour_ = nullptr;
    QLabel* contrastWarning_ = nullptr; // the scan's highlight hard to tell from the keys
    QLabel* speedLabel_ = nullptr;
    QScrollBar* speed_ = nullptr;
};

} // namespace ortolino
