#pragma once

#include "gui/widgets/Form.h"

class QLabel;
class QPushButton;

namespace ortolino {

class ClickLabel;

// The splash window shown at start-up; its one button opens the main menu.
class FormAvvio : public Form
{
    Q_OBJECT
public:
    FormAvvio(Program& program, WindowManager& windows);

    void Form_Load() override;
    void Form_Activate() override;

    QPushButton* Command1 = nullptr;

private:
    void Command1_Click();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    ClickLabel* Image1 = nullptr;
};

} // namespace ortolino
