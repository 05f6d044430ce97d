#pragma once

#include "core/menu/MenuScan.h"
#include "gui/config/ConfigPanel.h"

#include <array>

class QCheckBox;
class QLabel;
class QScrollBar;
class QTimer;

namespace ortolino {

class SolidButton;
class SwitchBox;

// Tab "Sensori" (shown in the scanning modes only): the child's switch
// timing (shortest press, presses ignored after a choice, the first item's
// hold and the rounds before a pause in automatic scanning), the "menu"
// target in the exercise and the confirmation of "ESCI". A row of sample
// keys scans with the timing on the screen, so that the teacher can try it
// with the switches before saving.
class SwitchPanel : public ConfigPanel
{
public:
    SwitchPanel(FormConfigura& window, QWidget* page);

    void showState() override;
    QList<QWidget*> colouredControls() const override;

    // The sample row's scan: started when the page is shown, stopped when it
    // is left. Tests drive its tick.
    void startTrying();
    void stopTrying();
    void tryTick();

private:
    void showTexts();
    void showTrying();
    void restartTrying();
    void sampleDown(int key);
    void sampleUp(int key);

    QLabel* acceptanceLabel_ = nullptr;
    QScrollBar* acceptance_ = nullptr;
    QLabel* ignoreLabel_ = nullptr;
    QScrollBar* ignore_ = nullptr;
    QLabel* firstItemLabel_ = nullptr;
    QScrollBar* firstItem_ = nullptr;
    QLabel* loopsLabel_ = nullptr;
    QScrollBar* loops_ = nullptr;
    QCheckBox* backTarget_ = nullptr;
    QCheckBox* confirmExit_ = nullptr;
    QLabel* tryLabel_ = nullptr;
    std::array<SolidButton*, 5> samples_{};
    QLabel* tryResult_ = nullptr;
    SwitchBox* trySwitch_ = nullptr;
    QTimer* tryTimer_ = nullptr;
    ScansioneMenu tryScan_{5, 0, -1};
    bool trying_ = false;
};

} // namespace ortolino
