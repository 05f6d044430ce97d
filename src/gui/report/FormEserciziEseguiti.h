#pragma once

#include "core/report/ReportBuilder.h"
#include "gui/widgets/Form.h"

class QPushButton;
class QTextEdit;

namespace ortolino {

// The activity report: what the current user did, rebuilt from the activity
// log each time the window becomes active. It can be completed with the
// configuration in force, saved as RTF and printed on the default printer.
// The box can be edited by hand before saving or printing; what the teacher
// typed is not left behind without a question.
class FormEserciziEseguiti : public Form
{
    Q_OBJECT
public:
    FormEserciziEseguiti(Program& program, WindowManager& windows);

    void Form_Activate() override;
    void Form_Unload() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // True when the report may go: nothing typed since it was built, saved or
    // printed, or the teacher says to throw it away.
    bool mayLeave();
    void Command1_Click(); // print
    void Command2_Click(); // save
    void Command3_Click(); // append the configuration summary
    void Command4_Click(); // the progress view
    void mnuEsci_Click();
    QPushButton* addButton(const char* name, const QString& caption, int top);

    QTextEdit* report_ = nullptr;
};

} // namespace ortolino
