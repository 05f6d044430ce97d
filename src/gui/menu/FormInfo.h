#pragma once

#include "gui/widgets/Form.h"

class QLabel;

namespace ortolino {

// Who made Ortolino, the usage notice and the language file's information
// lines; its picture opens documento.pdf (licence and credits).
class FormInfo : public Form
{
    Q_OBJECT
public:
    FormInfo(Program& program, WindowManager& windows);

    void Form_Activate() override;
    void Form_Unload() override;

private:
    QLabel* addLabel(const char* name, const char* caption, int left, int top, int width,
                     int height);
    void Command1_Click();
    void Image1_Click();

    QLabel* credits_ = nullptr;
    QLabel* notice_ = nullptr;
    QLabel* languageLines_ = nullptr;
};

} // namespace ortolino
