#include "core/history/SqlHistory.h"
#include "core/platform/TextFiles.h"
#include "gui/report/FormEserciziEseguiti.h"
#include "gui/report/FormProgressi.h"
#include "gui/widgets/PrinterTarget.h"
#include "support/ExternalReaders.h"
#include "support/HistoryWords.h"
#include "support/WindowFixture.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace ortolino;
using namespace ortolino::test;

namespace {

// What the view counts is the history's test; here: what it shows and offers.
class ProgressWindowTest : public WindowFixture
{
protected:
    ProgressWindowTest()
    {
        standIn(QStringLiteral("FormMenu"));
        program.language.CurrentLanguage = QStringLiteral("Italiano");
        program.state.NomeUtente = QStringLiteral("ANNA");
        program.services.history = &history;
        const qint64 now = QDateTime::currentSecsSinceEpoch();
        // This session: DADO with b for d twice, DITO with b for d once, a
        // word right at the first try; ten days ago: p for q; another user.
        history.record(historyWord("Anna", "DADO", {"1:BBD"}, now, true, {1, 1, 0}));
        history.record(historyWord("Anna", "DITO", {"1:BD"}, now, true, {1, 0, 0}));
        history.record(historyWord("Anna", "MELA", {"1:M"}, now));
        history.record(
            historyWord("Anna", "PERA", {"1:QP"}, now - 10 * 24 * 3600, true, {1, 0, 0}));
        history.record(historyWord("Bruno", "NASO", {"1:MMN"}, now, true, {1, 1, 0}));
    }
    ~ProgressWindowTest() override { unloadAll(); } // the windows use history

    FormProgressi* show()
    {
        form = qobject_cast<FormProgressi*>(windows.show(QStringLiteral("FormProgressi")));
        return form;
    }
    template <typename Control = QWidget> Control* find(const char* name) const
    {
        return control<Control>(form, name);
    }
    QString totals() const { return find<QLabel>("LabelTotali")->text(); }
    QStringList row(const char* table, int row) const
    {
        QStringList cells;
        const auto* t = find<QTableWidget>(table);
        for (int column = 0; column < t->columnCount(); ++column)
            cells << (t->item(row, column) ? t->item(row, column)->text() : QString());
        return cells;
    }
    void click(const char* button) const { find<QPushButton>(button)->click(); }

    SqlHistory history{SqlHistory::fileIn(env.env().cartellaDati())};
    FormProgressi* form = nullptr;
};

// Tab reaches "Progressi" after the report's buttons, Space chooses it; "Esci"
// and the close box lead back (Alt+P and the title are the program walk's).
TEST_F(ProgressWindowTest, TheReportLeadsToTheProgressByKeyboardAndBack)
{
    Form* report = windows.show(QStringLiteral("FormEserciziEseguiti"));
    auto* progress = control<QPushButton>(report, "Command4");
    QWidget* next = control(report, "Command3");
    for (int steps = 0; steps < 10 && next != progress; ++steps)
        next = next->nextInFocusChain();
    ASSERT_EQ(next, progress);
    progress->setFocus();
    QTest::keyClick(progress, Qt::Key_Space);
    settle();
    ASSERT_EQ(loadedNames(windows), QStringList{"FormProgressi"});
    form = qobject_cast<FormProgressi*>(windows.find(QStringLiteral("FormProgressi")));
    EXPECT_TRUE(find("ComboPeriodo")->hasFocus() || !form->isActiveWindow());
    control<QAction>(form, "mnuEsci")->trigger();
    settle();
    EXPECT_EQ(loadedNames(windows), QStringList{"FormEserciziEseguiti"});
    control<QPushButton>(windows.find("FormEserciziEseguiti"), "Command4")->click();
    settle();
    windows.find("FormProgressi")->close();
    settle();
    EXPECT_EQ(loadedNames(windows), QStringList{"FormEserciziEseguiti"});
}

TEST_F(ProgressWindowTest, TheViewShowsTheTotalsTheTopConfusionAndTheWordsThatNeededHelp)
{
    ASSERT_NE(show(), nullptr);
    EXPECT_EQ(find<QComboBox>("ComboPeriodo")->currentText(), "Ultimi 30 giorni");
    EXPECT_EQ(totals(), "Parole: 4 (finite: 4). Al primo colpo: 25 %. Aiuti per parola: 1.0. "
                        "Secondi per parola: 13.");
    ASSERT_EQ(find<QTableWidget>("TabellaConfusioni")->rowCount(), 2);
    EXPECT_EQ(row("TabellaConfusioni", 0), (QStringList{"D", "B", "3"}));
    EXPECT_EQ(row("TabellaConfusioni", 1), (QStringList{"P", "Q", "1"}));
    ASSERT_EQ(find<QTableWidget>("TabellaAiuti")->rowCount(), 3);
    EXPECT_EQ(row("TabellaAiuti", 0), (QStringList{"DADO", "2", "2", "1"}));
    // Two days with words: the bars count them.
    const auto series = find<QChartView>("Grafico")->chart()->series();
    auto* bars = qobject_cast<QBarSeries*>(series.value(0));
    ASSERT_NE(bars, nullptr);
    ASSERT_EQ(bars->barSets().size(), 1);
    EXPECT_EQ(bars->barSets()[0]->count(), 2);
    EXPECT_EQ(bars->barSets()[0]->at(1), 3);

    find<QComboBox>("ComboPeriodo")->setCurrentIndex(1); // the last 7 days
    EXPECT_TRUE(totals().startsWith("Parole: 3 (finite: 3). Al primo colpo: 33 %"));
    EXPECT_EQ(find<QTableWidget>("TabellaConfusioni")->rowCount(), 1);
}

// The CSV in the language's words in the user's folder; the printed and saved
// pages hold the totals, the chart and the lists.
TEST_F(ProgressWindowTest, TheCsvAndThePagesHoldThePeriodsWords)
{
    const QString printed = env.root() + "/printed.pdf", saved = env.root() + "/saved.pdf";
    PdfFilePrinter printer(printed, QMarginsF(12, 12, 12, 12));
    program.services.printer = &printer;
    show();
    seams.dialogs.files = {env.root() + "/anna", "", saved};
    click("Command1");
    ASSERT_EQ(seams.dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(seams.dialogs.fileRequests[0].defaultExtension, "csv");
    EXPECT_EQ(seams.dialogs.fileRequests[0].initialFolder, env.env().cartellaDati() + "ANNA/");
    const QStringList lines =
        QString::fromUtf8(readFileBytes(env.root() + "/anna.csv").value_or("").mid(3))
            .split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5); // the header and Anna's four words
    EXPECT_TRUE(lines[0].startsWith("Data e ora,Utente,Lingua,Esercizio,Parola,Spazi,"));
    EXPECT_TRUE(lines[1].contains(",Anna,Italiano,Una lettera nella parola,PERA,1,\"Q,P\",1,1,0,0,"
                                  "13,Scansione automatica,sì"))
        << lines[1].toStdString();
    click("Command1"); // cancelled: nothing written, nothing said

    click("Command2");
    click("Command3");
    EXPECT_TRUE(seams.messages.shown.empty());
    for (const QString& path : {printed, saved}) {
        const auto pages = readPdfWords(path);
        ASSERT_FALSE(pages.empty()) << path.toStdString();
        QStringList words;
        for (const PdfWord& w : pages[0].words)
            words << w.text;
        const QString text = words.join(' ');
        EXPECT_TRUE(text.contains("ANNA")) << text.toStdString();
        EXPECT_TRUE(text.contains("Parole: 4 (finite: 4).")) << text.toStdString();
        EXPECT_TRUE(text.contains("Lettere confuse") && text.contains("D · B · 3"))
            << text.toStdString();
        EXPECT_TRUE(readFileBytes(path).value_or(QByteArray()).contains("/Subtype /Image"))
            << "the chart is missing from " << path.toStdString();
    }
}

// Forgetting asks first (No keeps everything); without a history the view
// says so and offers nothing.
TEST_F(ProgressWindowTest, DeletingAsksFirstAndWithoutAHistoryNothingIsOffered)
{
    show();
    seams.messages.answers = {MessageBoxes::Answer::No, MessageBoxes::Answer::Yes};
    click("Command4");
    ASSERT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_EQ(seams.messages.shown[0].buttons, Message::Buttons::YesNo);
    EXPECT_TRUE(seams.messages.shown[0].text.endsWith("ANNA"));
    EXPECT_EQ(find<QTableWidget>("TabellaConfusioni")->rowCount(), 2);
    click("Command4");
    EXPECT_EQ(totals(), "Nessuna parola in questo periodo.");
    EXPECT_EQ(find<QTableWidget>("TabellaConfusioni")->rowCount(), 0);
    unloadAll();

    program.services.history = nullptr;
    show();
    EXPECT_EQ(totals(), "Lo storico dei progressi non è disponibile.");
    for (const char* button : {"Command1", "Command2", "Command3", "Command4"})
        EXPECT_FALSE(find(button)->isEnabled()) << button;
}

} // namespace
