#pragma once

#include "core/history/History.h"
#include "gui/widgets/Form.h"

class QAction;
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

    QLabel* Label1 = nullptr; // "Periodo:"
    QComboBox* ComboPeriodo = nullptr;
    QLabel* LabelTotali = nullptr;
    QChartView* Grafico = nullptr;
    QLabel* LabelConfusioni = nullptr;
    QTableWidget* TabellaConfusioni = nullptr;
    QLabel* LabelAiuti = nullptr;
    QTableWidget* TabellaAiuti = nullptr;
    QPushButton* Command1 = nullptr; // export CSV
    QPushButton* Command2 = nullptr; // print
    QPushButton* Command3 = nullptr; // save as PDF
    QPushButton* Command4 = nullptr; // forget the user's history
    QAction* mnuEsci = nullptr;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void mnuEsci_Click();

    // Reads the history again for the period chosen.
    void aggiorna();
    const std::optional<Progress>& progress() const { return progress_; }
    // The pages that are printed or saved as PDF.
    std::unique_ptr<QTextDocument> printedDocument() const;

private:
    QPushButton* addButton(const char* name, const QString& caption, int left, int top);
    QLabel* addLabel(const char* name, const QString& caption, int left, int top, int width);
    QTableWidget* addTable(const char* name, int left, int top, int width, int height);
    void fillChart();
    TimeSpan span() const;
    QString totalsText() const;
    void showError(const QString& key, const QString& detail = QString());
    bool print(QPrinter& printer) const;

    std::optional<Progress> progress_;
};

} // namespace ortolino
