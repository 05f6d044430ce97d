// The report window, its printing and the progress view it leads to.
#include "core/config/ConfigUsers.h"
#include "core/history/SqlHistory.h"
#include "core/platform/TextFiles.h"
#include "core/report/ReportSave.h"
#include "gui/report/FormEserciziEseguiti.h"
#include "gui/report/ReportPrinting.h"
#include "gui/widgets/FittedText.h"
#include "gui/widgets/PrinterTarget.h"
#include "gui/widgets/WordWrapButton.h"
#include "support/ExternalReaders.h"
#include "support/HistoryWords.h"
#include "support/QtPrinters.h"
#include "support/WindowFixture.h"

#include <gtest/gtest.h>
#include <map>
#include <QAbstractButton>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDate>
#include <QDateTime>
#include <QGraphicsTextItem>
#include <QLabel>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
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

// A queue that takes every page and then refuses the job, as CUPS does when a
// printer rejects jobs.
struct RefusingPrinter final : PrinterTarget
{
    explicit RefusingPrinter(const QString& path) : file(path) {}
    std::unique_ptr<QPrinter> open() override { return file.open(); }
    bool jobAccepted() override { return false; }
    PdfFilePrinter file;
};

// The box's paragraphs in readRtfWithUnrtf's form; `asUnrtf`: in whole points,
// runs of blanks as one, as unrtf, made for HTML, reads a saved file back.
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

// ANNA's log of this session and her history (what the view counts is the
// history's test; here: what the windows show and offer).
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
        // This session: DADO with b for d twice, DITO with b for d once, a
        // word right at the first try; ten days ago: p for q; another user.
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

// Here: the box's formats, printing, the summary, the saved file reading back
// as shown, and the way to the progress view and back.
TEST_F(ReportWindowsTest, TheReportTakesItsFormatsIsPrintedSavedAndLeadsToTheProgress)
{
    auto* window = qobject_cast<FormEserciziEseguiti*>(show("FormEserciziEseguiti"));
    ASSERT_NE(window, nullptr);
    auto* box = find<QTextEdit>("RichTextBox1");
    const QString report = box->toPlainText();
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
    EXPECT_EQ(seams.messages.shown[0].icon, Message::Icon::Critical);
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
    window->Form_Activate();
    EXPECT_EQ(box->toPlainText(), report);
    program.state.NomeUtente = "LUCA"; // made new in the configuration: Anna's words stay hers
    window->Form_Activate();
    EXPECT_FALSE(box->toPlainText().contains("CITTÀ"));
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
    // Tab reaches "Progressi" after the report's buttons, Space chooses it; the
    // close box leads back (Alt+P and "Esci": the program walk's).
    auto* progress = find<QPushButton>("Command4");
    QWidget* next = find("Command3");
    for (int steps = 0; steps < 10 && next != progress; ++steps)
        next = next->nextInFocusChain();
    ASSERT_EQ(next, progress);
    progress->setFocus();
    QTest::keyClick(progress, Qt::Key_Space);
    ASSERT_EQ(loaded(), QStringList{"FormProgressi"});
    EXPECT_EQ(seams.messages.shown.size(), asked);
    form = windows.find(QStringLiteral("FormProgressi"));
    EXPECT_TRUE(find("ComboPeriodo")->hasFocus() || !form->isActiveWindow());
    EXPECT_EQ(closeByBox(form), QStringList{"FormEserciziEseguiti"});
}

TEST_F(ReportWindowsTest, TheViewShowsTotalsConfusionsAndHelpAndForgetsOnlyAfterAYes)
{
    ASSERT_NE(show("FormProgressi"), nullptr);
    EXPECT_EQ(find<QComboBox>("ComboPeriodo")->currentText(), "Ultimi 30 giorni");
    EXPECT_EQ(totals(), "Parole: 4 (finite: 4). Al primo colpo: 25 %. Aiuti per parola: 1,0. "
                        "Secondi per parola: 13.");
    EXPECT_EQ(rows("TabellaConfusioni"), (QList<QStringList>{{"D", "B", "3"}, {"P", "Q", "1"}}));
    EXPECT_EQ(rows("TabellaAiuti"),
              (QList<QStringList>{
                  {"DADO", "2", "2", "1"}, {"DITO", "1", "1", "1"}, {"PERA", "1", "1", "1"}}));
    // Two days with words: the bars count them.
    const auto chart = [&] { return find<QChartView>("Grafico")->chart(); };
    auto* bars = qobject_cast<QBarSeries*>(chart()->series().value(0));
    ASSERT_NE(bars, nullptr);
    ASSERT_EQ(bars->barSets().size(), 1);
    EXPECT_EQ(std::pair(bars->barSets()[0]->count(), bars->barSets()[0]->at(1)), std::pair(2, 3.0));
    find<QComboBox>("ComboPeriodo")->setCurrentIndex(1); // the last 7 days
    EXPECT_TRUE(totals().startsWith("Parole: 3 (finite: 3). Al primo colpo: 33 %"));
    EXPECT_EQ(rows("TabellaConfusioni").size(), 1);
    // A month shows a bar a day, its dates upright; a term a bar a week, each
    // dated, never a row of elided labels.
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    for (int day = 1; day <= 100; ++day)
        history.record(historyWord("Anna", "DADO", {"1:D"}, now - day * 24 * 3600));
    const auto dates = [&] {
        return qobject_cast<QBarCategoryAxis*>(chart()->axes(Qt::Horizontal).value(0));
    };
    find<QComboBox>("ComboPeriodo")->setCurrentIndex(2); // the last 30 days
    ASSERT_NE(dates(), nullptr);
    EXPECT_EQ(chart()->title(), program.text("0256"));
    EXPECT_GE(dates()->count(), 29);
    EXPECT_EQ(dates()->labelsAngle(), -90);
    find<QComboBox>("ComboPeriodo")->setCurrentIndex(3); // everything
    EXPECT_EQ(chart()->title(), program.text("0280"));
    const auto monday = [](QDate day) { return day.addDays(1 - day.dayOfWeek()); };
    const QDate first = monday(QDateTime::fromSecsSinceEpoch(now - 100 * 24 * 3600).date());
    EXPECT_EQ(dates()->count(), first.daysTo(monday(QDate::currentDate())) / 7 + 1);
    // A word of a flat battery's year 2000: the first bar of each year says its year.
    history.record(historyWord("Anna", "DADO", {"1:D"},
                               QDateTime(QDate(2000, 1, 1), QTime(12, 0)).toSecsSinceEpoch()));
    find<QComboBox>("ComboPeriodo")->setCurrentIndex(0);
    find<QComboBox>("ComboPeriodo")->setCurrentIndex(3);
    EXPECT_EQ(dates()->count(), first.daysTo(monday(QDate::currentDate())) / 7 + 2); // 1999's week
    EXPECT_EQ(QStringList({dates()->at(0), dates()->at(1)}),
              QStringList({"27/12/1999", program.language.shortDate(first)}));
    // A clock set back since the last word: a period counted back says so with
    // both dates; "all" says nothing.
    const qint64 later = now + 3 * 24 * 3600;
    history.record(historyWord("Anna", "DADO", {"1:D"}, later));
    const QString clockBehind =
        program.text("0212").arg(program.language.shortDate(QDate::currentDate()),
                                 program.language.shortDate(QDate::currentDate().addDays(3)));
    find<QComboBox>("ComboPeriodo")->setCurrentIndex(2);
    EXPECT_TRUE(totals().endsWith("\n" + clockBehind)) << totals().toStdString();
    find<QComboBox>("ComboPeriodo")->setCurrentIndex(3);
    EXPECT_FALSE(totals().contains(clockBehind));
    // Forgetting asks first ("No" keeps all); without a history nothing is offered.
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
    unloadAll();
    program.services.history = nullptr;
    show("FormProgressi");
    EXPECT_EQ(totals(), "Lo storico dei progressi non è disponibile.");
    for (const char* button : {"Command1", "Command2", "Command3", "Command4"})
        EXPECT_FALSE(find(button)->isEnabled()) << button;
    // Words the disk refused are counted, so that the teacher knows why they are missing.
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
    unloadAll();
}

// On 1366 x 768 at 200 % (683 x 384) every button keeps its whole caption
// (wrapped, then smaller), the drop-down its line, the information window every
// line, and the chart its axes' labels (QtCharts elides those too close together).
TEST_F(ReportWindowsTest, EveryTextReadsWholeOnASmallScreen)
{
    // Four words today: the count axis goes 0 to 4 by 1, five marks.
    history.record(historyWord("Anna", "NASO", {"1:N"}, QDateTime::currentSecsSinceEpoch()));
    const std::pair<const char*, QList<const char*>> windowsAndLabels[] = {
        {"FormEserciziEseguiti", {}},
        {"FormProgressi", {}},
        {"FormInfo", {"Label1", "Label3", "Label4"}}};
    for (const char* language : {"Italiano", "English"}) {
        program.language.CurrentLanguage = QString::fromLatin1(language);
        for (const auto& [window, labels] : windowsAndLabels) {
            SCOPED_TRACE(std::string(language) + " " + window);
            ASSERT_NE(show(window), nullptr);
            form->resize(683, 384);
            for (auto* button : form->findChildren<QPushButton*>()) {
                SCOPED_TRACE(button->objectName().toStdString());
                QStyleOptionButton option;
                option.initFrom(button);
                const QRect inside =
                    button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
                const auto* wrapping = qobject_cast<WordWrapButton*>(button);
                const QRect needed =
                    QFontMetrics(wrapping ? wrapping->shownFont() : button->font())
                        .boundingRect(QRect(QPoint(), QSize(inside.width(), 10000)),
                                      Qt::TextWordWrap | Qt::TextShowMnemonic, button->text());
                EXPECT_LE(needed.width(), inside.width());
                EXPECT_LE(needed.height(), inside.height());
            }
            for (auto* list : form->findChildren<QComboBox*>()) {
                SCOPED_TRACE(list->objectName().toStdString());
                const int frame =
                    list->style()->pixelMetric(QStyle::PM_ComboBoxFrameWidth, nullptr, list);
                EXPECT_LE(QFontMetrics(list->font()).height(), list->height() - 2 * frame);
            }
            for (const char* name : labels) {
                SCOPED_TRACE(name);
                auto* label = find<QLabel>(name);
                ASSERT_FALSE(label->text().isEmpty());
                const auto* fitted = qobject_cast<FittedLabel*>(label);
                const QRect needed = QFontMetrics(fitted ? fitted->shownFont() : label->font())
                                         .boundingRect(QRect(0, 0, label->width(), 10000),
                                                       Qt::TextWordWrap, label->text());
                EXPECT_LE(needed.height(), label->height());
            }
            if (auto* view = form->findChild<QChartView*>("Grafico")) {
                QCoreApplication::processEvents();
                view->grab(); // lays the chart out at its size
                QStringList texts;
                for (QGraphicsItem* item : view->scene()->items()) {
                    if (auto* text = dynamic_cast<QGraphicsTextItem*>(item);
                        text && text->isVisible())
                        texts << text->toPlainText();
                }
                EXPECT_TRUE(texts.contains("100 %")) << texts.join(" | ").toStdString();
                for (const QString& text : texts)
                    EXPECT_FALSE(text.contains(QChar(0x2026)) || text.contains("..."))
                        << text.toStdString();
            }
            unloadAll();
        }
    }
}

// The CSV in the language's words in the user's folder; the printed and saved
// pages hold the totals, the chart and the lists.
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
    RefusingPrinter refusing(env.root() + "/refused.pdf");
    program.services.printer = &refusing;
    click("Command2");
    EXPECT_EQ(messageTexts(), QStringList{program.text("0213")}); // the page's own words
    seams.messages.shown.clear();
    program.services.printer = &printer;
    for (const QString& path : {printed, saved}) {
        const QString text = pdfText(path);
        for (const char* part : {"ANNA", "Parole: 4 (finite: 4).", "Lettere confuse", "D · B · 3"})
            EXPECT_TRUE(text.contains(part)) << part << " in " << text.toStdString();
        EXPECT_TRUE(readFileBytes(path).value_or(QByteArray()).contains("/Subtype /Image"))
            << "the chart is missing from " << path.toStdString();
    }
    // A term's many confusions: the page holds the most frequent and says how many more.
    for (const QChar wrong : QStringLiteral("ACEFGHIJKLMNOPQRSTUVWXYZ"))
        history.record(historyWord("Anna", "DADO", {QStringLiteral("1:%1D").arg(wrong)},
                                   QDateTime::currentSecsSinceEpoch()));
    unloadAll();
    show("FormProgressi");
    ASSERT_EQ(rows("TabellaConfusioni").size(), 26); // D for B, P for Q, and 24 once
    seams.dialogs.files = {saved};
    click("Command3");
    const QString text = pdfText(saved);
    static const QRegularExpression pair(QStringLiteral("\\b[A-Z] · [A-Z] · \\d+"));
    EXPECT_EQ(text.count(pair), 20) << text.toStdString();
    EXPECT_TRUE(text.contains("D · B · 3"));
    EXPECT_TRUE(text.contains(program.text("0282").arg(6))) << text.toStdString();
    // The default user by the name the teacher reads, not its file's "_predefinito".
    program.state.NomeUtente = kUtentePredefinito;
    seams.messages.answers = {MessageBoxes::Answer::No};
    click("Command3");
    click("Command4");
    EXPECT_EQ(seams.dialogs.fileRequests.back().initialName,
              nomeFileProposto(program.text("0241"), QDate::currentDate(), "pdf"));
    ASSERT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_TRUE(seams.messages.shown[0].text.endsWith(program.text("0241")));
}

constexpr double kInch = 72.0; // points
constexpr Margins kOneInch{1440, 1440, 1440, 1440};

struct PdfLine
{
    QStringList words;
    double xMin = 1e9, yMin = 1e9, xMax = 0, yMax = 0;
};

std::vector<PdfLine> linesOf(const PdfPage& page)
{
    std::map<long, PdfLine> byBaseline;
    for (const PdfWord& w : page.words) {
        PdfLine& line = byBaseline[std::lround(w.yMax * 10)];
        line.words << w.text;
        line.xMin = std::min(line.xMin, w.xMin);
        line.yMin = std::min(line.yMin, w.yMin);
        line.xMax = std::max(line.xMax, w.xMax);
        line.yMax = std::max(line.yMax, w.yMax);
    }
    std::vector<PdfLine> lines;
    for (auto& [key, line] : byBaseline)
        lines.push_back(line);
    return lines;
}

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
    EXPECT_TRUE(StampaTestoFormattato(text, *printer, kOneInch).started);
    printer.reset(); // the file is complete once the printer is gone
    return readPdfWords(dir.filePath("out.pdf"));
}

// 150 lines, the first big and centred: each once, in order, one inch inside
// the paper's edges, each page full.
TEST(ReportPrintingTest, ALongReportFillsPagesInsideOneInchAndAnOverlongLineEndsTheJob)
{
    QTextDocument text;
    fillNumbered(text, 150, true, 29);
    auto pages = print(text);
    ASSERT_GT(pages.size(), 2u);
    int expected = 1;
    for (size_t p = 0; p < pages.size(); ++p) {
        const PdfPage& page = pages[p];
        const auto lines = linesOf(page);
        ASSERT_GT(lines.size(), 2u) << p;
        for (const PdfLine& line : lines)
            EXPECT_EQ(line.words.value(1).toInt(), expected++) << p;
        if (p == 0) { // the first line twice as tall, centred
            EXPECT_NEAR((lines[0].xMin + lines[0].xMax) / 2, page.width / 2, 2.0);
            EXPECT_NEAR((lines[0].yMax - lines[0].yMin) / (lines[1].yMax - lines[1].yMin), 2.0,
                        0.15);
        } else {
            EXPECT_NEAR(lines.front().xMin, kInch, 1.0) << p;
        }
        // The first line from half a point above the margin to 4 points below it.
        EXPECT_NEAR(lines.front().yMin, kInch + 1.75, 2.25) << p;
        EXPECT_LE(lines.back().yMax, page.height - kInch) << p;
        if (p + 1 < pages.size()) { // no room left for one more line
            const double pitch = lines[2].yMax - lines[1].yMax;
            EXPECT_GT(lines.back().yMax + pitch, page.height - kInch) << p;
        }
    }
    EXPECT_EQ(expected, 151);
    // A line taller than the page ends the job on a blank page instead of looping.
    fillNumbered(text, 2, false, 900);
    pages = print(text);
    ASSERT_EQ(pages.size(), 2u);
    ASSERT_EQ(linesOf(pages[0]).size(), 1u);
    EXPECT_EQ(pages[0].words[1].text, "001");
    EXPECT_TRUE(pages[1].words.empty());
}

// The job takes the default queue's paper (Letter in an American school), not
// Qt's A4; a paused queue would hold the job unseen: no printer. Needs CUPS.
TEST(DefaultPrinterTest, TheJobTakesTheQueuesPaperAndAPausedQueueNone)
{
    const QPrinterInfo queue = QPrinterInfo::defaultPrinter();
    if (queue.isNull())
        GTEST_SKIP() << "no default printer";
    DefaultPrinter target;
    const std::unique_ptr<QPrinter> printer = target.open();
    if (queue.state() == QPrinter::Error) {
        EXPECT_EQ(printer, nullptr);
        return;
    }
    ASSERT_NE(printer, nullptr);
    EXPECT_EQ(printer->pageLayout().pageSize().id(), queue.defaultPageSize().id())
        << queue.defaultPageSize().name().toStdString();
}

} // namespace
