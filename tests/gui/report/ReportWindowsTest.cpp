// The report window, its printing and the progress view it leads to.
#include "core/history/SqlHistory.h"
#include "core/platform/TextFiles.h"
#include "core/report/ReportSave.h"
#include "gui/report/FormEserciziEseguiti.h"
#include "gui/report/ReportPrinting.h"
#include "gui/widgets/PrinterTarget.h"
#include "support/ExternalReaders.h"
#include "support/HistoryWords.h"
#include "support/QtPrinters.h"
#include "support/WindowFixture.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDate>
#include <QDateTime>
#include <QLabel>
#include <QPrinter>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

using namespace ortolino;
using namespace ortolino::test;

namespace {

struct NoPrinter final : PrinterTarget
{
    std::unique_ptr<QPrinter> open() override { return nullptr; }
};

// A queue that takes every page and then refuses the job, as CUPS may.
struct RefusingPrinter final : PrinterTarget
{
    explicit RefusingPrinter(const QString& path) : file(path) {}
    std::unique_ptr<QPrinter> open() override { return file.open(); }
    bool jobAccepted() override { return false; }
    PdfFilePrinter file;
};

// The box's paragraphs as readRtfWithUnrtf gives them; `asUnrtf`: whole points, blanks as one.
QStringList paragraphsOf(const QTextEdit& box, bool asUnrtf = false)
{
    QStringList paragraphs;
    const QFont base = box.document()->defaultFont();
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next()) {
        QStringList sizes, faces;
        const auto note = [&](const QFont& font) {
            const double points = font.resolve(base).pointSizeF();
            const QString size = QString::number(asUnrtf ? int(points) : points);
            if (sizes.isEmpty() || sizes.last() != size)
                sizes << size;
            if (!faces.contains(font.resolve(base).family()))
                faces << font.resolve(base).family();
        };
        for (auto it = block.begin(); !it.atEnd(); ++it)
            note(it.fragment().charFormat().font());
        if (sizes.isEmpty())
            note(block.charFormat().font());
        const Qt::Alignment a = block.blockFormat().alignment();
        QString text = block.text();
        if (asUnrtf)
            text.replace(QRegularExpression(QStringLiteral(" +")), QStringLiteral(" "));
        paragraphs << QStringLiteral("%1 %2 %3: %4")
                          .arg(a & Qt::AlignHCenter ? "center"
                               : a & Qt::AlignRight ? "right"
                                                    : "left",
                               sizes.join(','), faces.join(','), text);
    }
    return paragraphs;
}

// The words of a PDF's pages, in reading order.
QString pdfText(const QString& path)
{
    QStringList words;
    for (const PdfPage& page : readPdfWords(path))
        for (const PdfWord& w : page.words)
            words << w.text;
    return words.join(' ');
}

// ANNA's log of this session and her history (what the view counts: the history's test).
class ReportWindowsTest : public WindowFixture
{
protected:
    ReportWindowsTest()
    {
        standIn(QStringLiteral("FormMenu"));
        program.language.CurrentLanguage = QStringLiteral("Italiano");
        program.services.printer = &noPrinter;
        program.services.history = &history;
        PreparaTastiera(program.state);
        program.state.NomeUtente = QStringLiteral("ANNA");
        program.state.NomeFont = QStringLiteral("Verdana");
        auto& log = program.state.Registro;
        log[0] = {QStringLiteral("LETTERA INIZIALE"), QString(), QString()};
        log[1] = {QString(), QStringLiteral(" * CITTÀ * "), QStringLiteral("Fatto")};
        log[2] = {QString(), QStringLiteral(" * PERCHÉ *  (_ ERCHÉ B) "), QStringLiteral("Fatto")};
        log[3] = {QString(), QStringLiteral(" * SOLE * "), QString()};
        program.state.NumeroRigheRegistro = 3;
        const qint64 now = QDateTime::currentSecsSinceEpoch();
        // Today b for d thrice, a word right at once; ten days ago q for p; another user.
        history.record(historyWord("Anna", "DADO", {"1:BBD"}, now, true, {1, 1, 0}));
        history.record(historyWord("Anna", "DITO", {"1:BD"}, now, true, {1, 0, 0}));
        history.record(historyWord("Anna", "MELA", {"1:M"}, now));
        history.record(
            historyWord("Anna", "PERA", {"1:QP"}, now - 10 * 24 * 3600, true, {1, 0, 0}));
        history.record(historyWord("Bruno", "NASO", {"1:MMN"}, now, true, {1, 1, 0}));
    }
    ~ReportWindowsTest() override { unloadAll(); } // the windows use noPrinter and history

    Form* show(const char* name) { return form = windows.show(QString::fromLatin1(name)); }
    template <typename Control = QWidget> Control* find(const char* name) const
    {
        return control<Control>(form, name);
    }
    QString totals() const { return find<QLabel>("LabelTotali")->text(); }
    QList<QStringList> rows(const char* table) const
    {
        QList<QStringList> rows;
        const auto* t = find<QTableWidget>(table);
        for (int row = 0; row < t->rowCount(); ++row) {
            rows.emplace_back();
            for (int column = 0; column < t->columnCount(); ++column)
                rows.back() << (t->item(row, column) ? t->item(row, column)->text() : QString());
        }
        return rows;
    }
    void click(const char* button) const { find<QAbstractButton>(button)->click(); }

    NoPrinter noPrinter;
    SqlHistory history{SqlHistory::fileIn(env.env().cartellaDati())};
    Form* form = nullptr;
};

TEST_F(ReportWindowsTest, TheReportTakesItsFormatsIsPrintedSavedAndLeadsToTheProgress)
{
    auto* window = qobject_cast<FormEserciziEseguiti*>(show("FormEserciziEseguiti"));
    ASSERT_NE(window, nullptr);
    auto* box = find<QTextEdit>("RichTextBox1");
    // The title row under stars, the words done (SOLE, unfinished, is not).
    const QString stars(15, '*');
    const QString verdana = QStringLiteral("left 14.5 Verdana: ");
    const QStringList shown = paragraphsOf(*box);
    EXPECT_EQ(shown, (QStringList{"center 18 Verdana: ANNA", verdana,
                                  verdana + "Data: " + QDate::currentDate().toString("dd/MM/yyyy"),
                                  verdana, verdana, verdana,
                                  verdana + " " + stars + " LETTERA INIZIALE " + stars + " ",
                                  verdana, verdana + " * CITTÀ * ",
                                  verdana + " * PERCHÉ *  (_ ERCHÉ B) ", verdana, verdana}));
    // Without a default printer the teacher is told; with one, it prints the report.
    click("Command1");
    ASSERT_EQ(messageTexts(), QStringList{program.text("0202")});
    QTemporaryDir dir;
    PdfFilePrinter pdf(dir.filePath("stampa.pdf"));
    program.services.printer = &pdf;
    click("Command1");
    EXPECT_TRUE(
        pdfText(dir.filePath("stampa.pdf")).startsWith("ANNA Data: ")); // whole: the print test's
    click("Command3");
    EXPECT_EQ(loadedNames(windows), QStringList({"FormEserciziEseguiti"}));
    const QStringList withSummary = paragraphsOf(*box);
    EXPECT_EQ(withSummary.mid(0, shown.size()), shown);
    EXPECT_EQ(withSummary.last(), verdana + "In uso tutte le immagini disponibili");
    const QString path = env.env().cartellaDati() + "ANNA/oggi.rtf";
    seams.dialogs.files.push_back(path);
    click("Command2");
    ASSERT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_EQ(readRtfWithUnrtf(path), paragraphsOf(*box, true));
    program.state.NomeUtente = "LUCA"; // made new in the configuration: Anna's words stay hers
    window->Form_Activate();
    EXPECT_FALSE(box->toPlainText().contains("CITTÀ"));
    QTest::keyClick(box, Qt::Key_Tab); // to the buttons, writing nothing
    EXPECT_FALSE(box->document()->isModified());
    // A typed note is not left behind unseen: "No" keeps it; once saved, no question.
    QTest::keyClicks(box, "stanco");
    click("Command3"); // the summary alone would not be asked about
    RefusingPrinter refusing(dir.filePath("rifiutata.pdf")); // nothing on paper: still asked
    program.services.printer = &refusing;
    click("Command1");
    EXPECT_EQ(messageTexts().last(), program.text("0202"));
    seams.messages.answers = {MessageBoxes::Answer::No};
    click("Command4");
    EXPECT_EQ(loaded(), QStringList{"FormEserciziEseguiti"});
    EXPECT_TRUE(box->toPlainText().contains("stanco"));
    EXPECT_EQ(std::pair(messageTexts().last(), seams.messages.shown.back().yesDestroys),
              std::pair(program.text("0226"), true));
    seams.dialogs.files.push_back(env.env().cartellaDati() + "LUCA/note.rtf");
    click("Command2");
    const size_t asked = seams.messages.shown.size();
    // "Progressi" and the close box back (Alt+P and "Esci": the program walk's).
    click("Command4");
    ASSERT_EQ(loaded(), QStringList{"FormProgressi"});
    EXPECT_EQ(seams.messages.shown.size(), asked);
    EXPECT_EQ(closeByBox(windows.find("FormProgressi")), QStringList{"FormEserciziEseguiti"});
}

TEST_F(ReportWindowsTest, TheViewShowsTotalsConfusionsAndHelpAndForgetsOnlyAfterAYes)
{
    ASSERT_NE(show("FormProgressi"), nullptr);
    EXPECT_EQ(find<QComboBox>("ComboPeriodo")->currentText(), "Ultimi 30 giorni");
    EXPECT_EQ(find<QLabel>("LabelUtente")->text(), "ANNA"); // whose progress it is
    EXPECT_EQ(totals(), "Parole: 4 (finite: 4). Al primo colpo: 25 %. Aiuti per parola: 1,0. "
                        "Secondi per parola: 13.");
    EXPECT_EQ(rows("TabellaConfusioni"), (QList<QStringList>{{"D", "B", "3"}, {"P", "Q", "1"}}));
    EXPECT_EQ(rows("TabellaAiuti"),
              (QList<QStringList>{
                  {"DADO", "2", "2", "1"}, {"DITO", "1", "1", "1"}, {"PERA", "1", "1", "1"}}));
    // Two days with words: the bars count them.
    const auto chart = [&] { return find<QChartView>("Grafico")->chart(); };
    EXPECT_EQ(find("Grafico")->focusPolicy(), Qt::NoFocus); // Tab passes it: no unseen stop
    auto* bars = qobject_cast<QBarSeries*>(chart()->series().value(0));
    ASSERT_NE(bars, nullptr);
    ASSERT_EQ(bars->barSets().size(), 1);
    EXPECT_EQ(std::pair(bars->barSets()[0]->count(), bars->barSets()[0]->at(1)), std::pair(2, 3.0));
    find<QComboBox>("ComboPeriodo")->setCurrentIndex(1); // the last 7 days
    EXPECT_TRUE(totals().startsWith("Parole: 3 (finite: 3). Al primo colpo: 33 %"));
    EXPECT_EQ(rows("TabellaConfusioni").size(), 1);
    // A term shows a bar a week (how days add up: the chart's test).
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    for (int day = 1; day <= 100; ++day)
        history.record(historyWord("Anna", "DADO", {"1:D"}, now - day * 24 * 3600));
    find<QComboBox>("ComboPeriodo")->setCurrentIndex(3); // everything
    const auto monday = [](QDate day) { return day.addDays(1 - day.dayOfWeek()); };
    const QDate first = monday(QDateTime::fromSecsSinceEpoch(now - 100 * 24 * 3600).date());
    const auto* dates = qobject_cast<QBarCategoryAxis*>(chart()->axes(Qt::Horizontal).value(0));
    ASSERT_NE(dates, nullptr);
    EXPECT_EQ(dates->count(), first.daysTo(monday(QDate::currentDate())) / 7 + 1);
    // Forgetting asks first ("No" keeps all).
    seams.messages.answers = {MessageBoxes::Answer::No, MessageBoxes::Answer::Yes};
    click("Command4");
    ASSERT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_EQ(std::pair(seams.messages.shown[0].buttons, seams.messages.shown[0].yesDestroys),
              std::pair(Message::Buttons::YesNo, true));
    EXPECT_TRUE(seams.messages.shown[0].text.endsWith("ANNA"));
    EXPECT_EQ(rows("TabellaConfusioni").size(), 2);
    click("Command4");
    EXPECT_EQ(totals(), "Nessuna parola in questo periodo.");
    EXPECT_EQ(rows("TabellaConfusioni").size(), 0);
    // A history the disk refuses offers nothing and counts its words, so the teacher knows why.
    unloadAll();
    QTemporaryDir dir;
    writeFile(dir.filePath("dati"), "a file where the folder should be");
    SqlHistory refusing(dir.filePath("dati/storico.sqlite"));
    refusing.record(historyWord("Anna", "DADO", {"1:D"}, QDateTime::currentSecsSinceEpoch()));
    program.services.history = &refusing;
    show("FormProgressi");
    EXPECT_EQ(totals(),
              "Lo storico dei progressi non è disponibile.\nParole che aspettano di "
              "essere scritte nello storico: 1 (il disco è pieno o non si può scrivere).");
    for (const char* button : {"Command1", "Command2", "Command3", "Command4"})
        EXPECT_FALSE(find(button)->isEnabled()) << button;
    unloadAll();
}

// The CSV in the language's words in the user's folder; the pages hold totals, chart, lists.
TEST_F(ReportWindowsTest, TheCsvAndThePagesHoldThePeriodsWords)
{
    const QString printed = env.root() + "/printed.pdf", saved = env.root() + "/saved.pdf";
    PdfFilePrinter printer(printed, QMarginsF(12, 12, 12, 12));
    program.services.printer = &printer;
    show("FormProgressi");
    seams.dialogs.files = {env.root() + "/anna", "", saved};
    click("Command1");
    ASSERT_EQ(seams.dialogs.fileRequests.size(), 1u);
    const auto& request = seams.dialogs.fileRequests[0];
    EXPECT_EQ(std::tuple(request.defaultExtension, request.initialFolder, request.initialName,
                         request.places),
              std::tuple("csv", env.env().cartellaDati() + "ANNA/",
                         nomeFileProposto("ANNA", QDate::currentDate(), "csv"),
                         QStringList{env.env().documentsFolder}));
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
        const QString text = pdfText(path);
        for (const char* part : {"ANNA", "Parole: 4 (finite: 4).", "Lettere confuse", "D · B · 3"})
            EXPECT_TRUE(text.contains(part)) << part << " in " << text.toStdString();
        EXPECT_TRUE(readFileBytes(path).value_or(QByteArray()).contains("/Subtype /Image"))
            << "the chart is missing from " << path.toStdString();
    }
}

constexpr double kInch = 72.0; // points

// Numbered paragraphs in a plain face; the first (centred) or the last as big as asked.
void fillNumbered(QTextDocument& text, int count, bool first, double points)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(14.5);
    text.setDefaultFont(font);
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("Riga %1 del resoconto").arg(i, 3, 10, QLatin1Char('0'));
    text.setPlainText(lines.join(QLatin1Char('\n')));
    QTextCursor cursor(first ? text.firstBlock() : text.lastBlock());
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    QTextCharFormat big;
    big.setFontPointSize(points);
    cursor.mergeCharFormat(big);
    QTextBlockFormat centred;
    centred.setAlignment(first ? Qt::AlignHCenter : Qt::AlignLeft);
    cursor.mergeBlockFormat(centred);
}

// Prints on A4 whose printable area starts a quarter inch inside the paper.
std::vector<PdfPage> print(const QTextDocument& text)
{
    QTemporaryDir dir;
    PdfFilePrinter target(dir.filePath("out.pdf"), QMarginsF(18, 18, 18, 18));
    auto printer = target.open();
    EXPECT_TRUE(StampaTestoFormattato(text, *printer, Margins{1440, 1440, 1440, 1440}).started);
    printer.reset(); // the file is complete once the printer is gone
    return readPdfWords(dir.filePath("out.pdf"));
}

// 150 lines, the first big: each once, in order, inside the paper's one-inch margins.
TEST(ReportPrintingTest, ALongReportKeepsEveryLineInsideTheMarginsAndAnOverlongLineEndsTheJob)
{
    QTextDocument text;
    fillNumbered(text, 150, true, 29);
    auto pages = print(text);
    ASSERT_GT(pages.size(), 2u);
    int expected = 1;
    for (size_t p = 0; p < pages.size(); ++p) {
        const PdfPage& page = pages[p];
        for (const PdfWord& w : page.words) {
            EXPECT_TRUE(w.xMin >= kInch - 1 && w.yMin >= kInch - 0.5 &&
                        w.xMax <= page.width - kInch && w.yMax <= page.height - kInch)
                << p << ' ' << w.text.toStdString();
            if (w.text.front().isDigit()) {
                EXPECT_EQ(w.text.toInt(), expected++) << p;
            }
        }
    }
    EXPECT_EQ(expected, 151);
    // A line taller than the page ends the job on a blank page instead of looping.
    fillNumbered(text, 2, false, 900);
    pages = print(text);
    ASSERT_EQ(pages.size(), 2u);
    ASSERT_EQ(pages[0].words.size(), 4u);
    EXPECT_EQ(pages[0].words[1].text, "001");
    EXPECT_TRUE(pages[1].words.empty());
}

} // namespace
