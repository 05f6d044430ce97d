#pragma once

#include "core/history/History.h"
#include "gui/widgets/Form.h"

class QChartView;
class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;
class QTableWidget;
class QTextDocument;

namespace ortolino {

// The progress of the user shown, from the lasting history, over a chosen
// period: words finished per day with the share finished without an error, the
// letters chosen instead of the expected ones, the words that needed most
// help, and the totals. It exports the period's words as CSV, prints on the
// report's printing path (chart included) or saves the same pages as PDF, and
// forgets the user's history on request. Reached from the report window, to
// which it returns.
class FormProgressi : public Form
{
    Q_OBJECT
public:
    FormProgressi(Program& program, WindowManager& windows);

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;

    // Reads the history again for the period chosen.
    void aggiorna();
    const std::optional<Progress>& progress() const { return progress_; }
    // The pages that are printed or saved as PDF.
    std::unique_ptr<QTextDocument> printedDocument() const;

private:
    void Command1_Click(); // export CSV
    void Command2_Click(); // print
    void Command3_Click(); // save as PDF
    void Command4_Click(); // forget the user's history
    void mnuEsci_Click();

    QPushButton* addButton(const char* name, const QString& caption, int left, int top);
    QLabel* addLabel(const char* name, const QString& caption, int left, int top, int width);
    QTableWidget* addTable(const char* name, int left, int top, int width, int height);
    void fillChart();
    TimeSpan span() const;
    QString totalsText() const;
    QString askSavePath(const QPushButton& button, const QString& extension);
    void showError(const QString& key, const QString& detail = QString());
    bool print(QPrinter& printer) const;

    QComboBox* period_ = nullptr;
    QLabel* user_ = nullptr;
    QLabel* totals_ = nullptr;
    QChartView* chart_ = nullptr;
    QLabel* confusionsTitle_ = nullptr;
    QTableWidget* confusions_ = nullptr;
    QLabel* helpedTitle_ = nullptr;
    QTableWidget* helped_ = nullptr;
    QPushButton* exportCsv_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* savePdf_ = nullptr;
    QPushButton* forget_ = nullptr;
    std::optional<Progress> progress_;
};

} // namespace ortolino
