#pragma once

#include "core/menu/MenuScan.h"
#include "gui/config/ConfigPanel.h"

#include <array>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;

namespace ortolino {

class SolidButton;
class SwitchBox;

// Tab "Sensori" (shown in the scanning modes only): the child's switch
// timing (shortest press, presses ignored after a choice, the first item's
// hold and the rounds before a pause in automatic scanning), the "menu"
// target in the exercise, the confirmation of "ESCI", auditory scanning and
// its style, the highlight (enlarged; the frame's own colour) and the compact
// keyboard with its order, each shown only where it applies. A row of sample
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
    QCheckBox* auditory_ = nullptr;
    std::array<QRadioButton*, 2> auditoryStyles_{};
    QCheckBox* enlarge_ = nullptr;
    QCheckBox* frameAsKey_ = nullptr;
    QPushButton* frameColour_ = nullptr;
    QCheckBox* compact_ = nullptr;
    std::array<QRadioButton*, 2> compactOrders_{};
    QLabel* tryLabel_ = nullptr;
    std::array<SolidButton*, 5> samples_{};
    QLabel* tryResult_ = nullptr;
    SwitchBox* trySwitch_ = nullptr;
    QTimer* tryTimer_ = nullptr;
    ScansioneMenu tryScan_{5, 0, -1};
    bool trying_ = false;
};

} // namespace ortolino
