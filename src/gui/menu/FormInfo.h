#pragma once

#include "gui/widgets/Form.h"

class QLabel;
class QPushButton;

namespace ortolino {

class ClickLabel;

// Who made Ortolino, the usage notice and the language file's information
// lines; its picture opens documento.pdf (licence and credits).
class FormInfo : public Form
{
    Q_OBJECT
public:
    FormInfo(Program& program, WindowManager& windows);

    void Form_Activate() override;
    void Form_Unload() override;

    QPushButton* Command1 = nullptr;
    ClickLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;

private:
    QLabel* addLabel(const char* name, const char* caption, int left, int top, int width,
                     int height);
    void Command1_Click();
    void Image1_Click();
};

} // namespace ortolino
