#pragma once

#include "gui/widgets/Form.h"

class QPushButton;

namespace ortolino {

// The splash window shown at start-up; its one button opens the main menu.
class FormAvvio : public Form
{
    Q_OBJECT
public:
    FormAvvio(Program& program, WindowManager& windows);

    void Form_Load() override;
    void Form_Activate() override;

private:
    void Command1_Click();

    QPushButton* start_ = nullptr;
};

} // namespace ortolino
