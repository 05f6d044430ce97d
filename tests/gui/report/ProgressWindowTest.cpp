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

QStringList rowOf(const QTableWidget& table, int row)
{
    QStringList cells;
    for (int column = 0; column < table.columnCount(); ++column)
        cells << (table.item(row, column) ? table.item(row, column)->text() : QString());
    return cells;
}

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
    FormProgressi* show()
    {
        return qobject_cast<FormProgressi*>(windows.show(QStringLiteral("FormProgressi")));
    }

    ~ProgressWindowTest() override { unloadAll(); } // the windows use history

    SqlHistory history{SqlHistory::fileIn(env.env().cartellaDati())};
};

TEST_F(ProgressWindowTest, TheReportLeadsToTheProgressByKeyboardAndBack)
{
    auto* report =
        qobject_cast<FormEserciziEseguiti*>(windows.show(QStringLiteral("FormEserciziEseguiti")));
    ASSERT_NE(report, nullptr);
    auto* progress = control<QPushButton>(report, "Command4");
    EXPECT_EQ(progress->text(), "&Progressi"); // Alt+P
    // Tab reaches the button after the others, and space chooses it.
    QWidget* next = control(report, "Command3");
    for (int steps = 0; steps < 10 && next != progress; ++steps)
        next = next->nextInFocusChain();
    ASSERT_EQ(next, progress);
    progress->setFocus();
    QTest::keyClick(progress, Qt::Key_Space);
    settle();
    EXPECT_EQ(loadedNames(windows), QStringList{"FormProgressi"});

    auto* form = qobject_cast<FormProgressi*>(windows.find(QStringLiteral("FormProgressi")));
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), "Ortolino - Progressi");
    EXPECT_TRUE(control<QComboBox>(form, "ComboPeriodo")->hasFocus() || !form->isActiveWindow());
    control<QAction>(form, "mnuEsci")->trigger();
    settle();
    EXPECT_EQ(loadedNames(windows), QStringList{"FormEserciziEseguiti"});

    // The close box goes back to the report too.
    report = qobject_cast<FormEserciziEseguiti*>(windows.find("FormEserciziEseguiti"));
    control<QPushButton>(report, "Command4")->click();
    settle();
    windows.find("FormProgressi")->close();
    settle();
    EXPECT_EQ(loadedNames(windows), QStringList{"FormEserciziEseguiti"});
}

TEST_F(ProgressWindowTest, TheViewShowsTheTotalsTheTopConfusionAndTheWordsThatNeededHelp)
{
    FormProgressi* form = show();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(control<QComboBox>(form, "ComboPeriodo")->currentText(), "Ultimi 30 giorni");
    EXPECT_EQ(control<QLabel>(form, "LabelTotali")->text(),
              "Parole: 4 (finite: 4). Al primo colpo: 25 %. Aiuti per parola: 1.0. "
              "Secondi per parola: 13.");
    ASSERT_EQ(control<QTableWidget>(form, "TabellaConfusioni")->rowCount(), 2);
    EXPECT_EQ(rowOf(*control<QTableWidget>(form, "TabellaConfusioni"), 0),
              (QStringList{"D", "B", "3"}));
    EXPECT_EQ(rowOf(*control<QTableWidget>(form, "TabellaConfusioni"), 1),
              (QStringList{"P", "Q", "1"}));
    ASSERT_EQ(control<QTableWidget>(form, "TabellaAiuti")->rowCount(), 3);
    EXPECT_EQ(rowOf(*control<QTableWidget>(form, "TabellaAiuti"), 0),
              (QStringList{"DADO", "2", "2", "1"}));

    // Two days with words: the bars count them.
    const auto series = control<QChartView>(form, "Grafico")->chart()->series();
    auto* bars = qobject_cast<QBarSeries*>(series.value(0));
    ASSERT_NE(bars, nullptr);
    ASSERT_EQ(bars->barSets().size(), 1);
    EXPECT_EQ(bars->barSets()[0]->count(), 2);
    EXPECT_EQ(bars->barSets()[0]->at(1), 3);

    control<QComboBox>(form, "ComboPeriodo")->setCurrentIndex(1); // the last 7 days
    EXPECT_TRUE(control<QLabel>(form, "LabelTotali")
                    ->text()
                    .startsWith("Parole: 3 (finite: 3). Al primo colpo: 33 %"));
    EXPECT_EQ(control<QTableWidget>(form, "TabellaConfusioni")->rowCount(), 1);
}

TEST_F(ProgressWindowTest, TheCsvHoldsThePeriodsWordsWithTheirColumns)
{
    FormProgressi* form = show();
    const QString path = env.root() + "/anna";
    seams.dialogs.files.push_back(path);
    control<QPushButton>(form, "Command1")->click();
    ASSERT_EQ(seams.dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(seams.dialogs.fileRequests[0].defaultExtension, "csv");
    EXPECT_EQ(seams.dialogs.fileRequests[0].initialFolder, env.env().cartellaDati() + "ANNA/");
    EXPECT_TRUE(seams.messages.shown.empty());

    const QString csv =
        QString::fromUtf8(readFileBytes(path + ".csv").value_or(QByteArray()).mid(3));
    const QStringList lines = csv.split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5); // the header and Anna's four words
    EXPECT_TRUE(lines[0].startsWith("Data e ora,Utente,Lingua,Esercizio,Parola,Spazi,"));
    EXPECT_TRUE(lines[1].contains(",Anna,Italiano,Una lettera nella parola,PERA,1,\"Q,P\",1,1,0,0,"
                                  "13,Scansione automatica,sì"))
        << lines[1].toStdString();

    seams.dialogs.files.push_back(""); // cancelled: nothing written, nothing said
    control<QPushButton>(form, "Command1")->click();
    EXPECT_TRUE(seams.messages.shown.empty());
}

TEST_F(ProgressWindowTest, PrintedAndSavedPagesHoldTheTotalsTheChartAndTheLists)
{
    const QString printed = env.root() + "/printed.pdf";
    PdfFilePrinter printer(printed, QMarginsF(12, 12, 12, 12));
    program.services.printer = &printer;
    FormProgressi* form = show();
    control<QPushButton>(form, "Command2")->click();
    const QString saved = env.root() + "/saved.pdf";
    seams.dialogs.files.push_back(saved);
    control<QPushButton>(form, "Command3")->click();
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

TEST_F(ProgressWindowTest, DeletingAsksFirstAndForgetsOnlyThisUser)
{
    FormProgressi* form = show();
    seams.messages.answers = {MessageBoxes::Answer::No, MessageBoxes::Answer::Yes};
    control<QPushButton>(form, "Command4")->click();
    ASSERT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_EQ(seams.messages.shown[0].buttons, Message::Buttons::YesNo);
    EXPECT_TRUE(seams.messages.shown[0].text.endsWith("ANNA"));
    EXPECT_EQ(control<QTableWidget>(form, "TabellaConfusioni")->rowCount(), 2);

    control<QPushButton>(form, "Command4")->click();
    EXPECT_EQ(control<QLabel>(form, "LabelTotali")->text(), "Nessuna parola in questo periodo.");
    EXPECT_EQ(control<QTableWidget>(form, "TabellaConfusioni")->rowCount(), 0);
    const auto bruno = history.progress("Bruno", {0, QDateTime::currentSecsSinceEpoch() + 1});
    ASSERT_TRUE(bruno);
    EXPECT_EQ(bruno->totals.words, 1);
}

TEST_F(ProgressWindowTest, WithoutAHistoryTheViewSaysSoAndOffersNothing)
{
    program.services.history = nullptr;
    FormProgressi* form = show();
    EXPECT_EQ(control<QLabel>(form, "LabelTotali")->text(),
              "Lo storico dei progressi non è disponibile.");
    for (const char* button : {"Command1", "Command2", "Command3", "Command4"})
        EXPECT_FALSE(control(form, button)->isEnabled()) << button;
}

} // namespace
