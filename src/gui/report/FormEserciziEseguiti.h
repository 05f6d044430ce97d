#pragma once

#include "core/report/ReportBuilder.h"
#include "gui/widgets/Form.h"

class QAction;
class QPushButton;
class QTextEdit;

namespace ortolino {

// The activity report: what the current user did, rebuilt from the activity
// log each time the window becomes active. It can be completed with the
// configuration in force, saved as RTF and printed on the default printer.
// The box can be edited by hand before saving or printing.
class FormEserciziEseguiti : public Form
{
    Q_OBJECT
public:
    FormEserciziEseguiti(Program& program, WindowManager& windows);

    void Form_Activate() override;
    void Form_Unload() override;

    QTextEdit* RichTextBox1 = nullptr;
    QPushButton* Command1 = nullptr; // print
    QPushButton* Command2 = nullptr; // save
    QPushButton* Command3 = nullptr; // append the configuration summary
    QAction* mnuEsci = nullptr;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void mnuEsci_Click();

private:
    QPushButton* addButton(const char* name, const QString& caption, int top);
};

} // namespace ortolino
