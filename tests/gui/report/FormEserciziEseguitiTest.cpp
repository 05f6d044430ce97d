#include "gui/report/FormEserciziEseguiti.h"

#include "gui/widgets/PrinterTarget.h"
#include "support/ExternalReaders.h"
#include "support/WindowFixture.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QDate>
#include <QFileInfo>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>

using namespace ortolino;
using namespace ortolino::test;

namespace {

// Never a printer to print on.
class NoPrinter final : public PrinterTarget
{
public:
    std::unique_ptr<QPrinter> open() override
    {
        ++opened;
        return nullptr;
    }
    int opened = 0;
};

// One paragraph of the box as a reader sees it.
struct BoxParagraph
{
    QString text;
    Alignment alignment;
    QList<double> sizes;
};

std::vector<BoxParagraph> paragraphsOf(const QTextEdit& box)
{
    std::vector<BoxParagraph> paragraphs;
    const QFont base = box.document()->defaultFont();
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next()) {
        const Qt::Alignment a = block.blockFormat().alignment();
        BoxParagraph p{block.text(),
                       a & Qt::AlignHCenter ? Alignment::Center
                       : a & Qt::AlignRight ? Alignment::Right
                                            : Alignment::Left,
                       {}};
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const double size = it.fragment().charFormat().font().resolve(base).pointSizeF();
            if (p.sizes.isEmpty() || p.sizes.last() != size)
                p.sizes << size;
        }
        if (p.sizes.isEmpty())
            p.sizes << block.charFormat().font().resolve(base).pointSizeF();
        paragraphs.push_back(p);
    }
    return paragraphs;
}

QTextEdit* box(const Form* form)
{
    return control<QTextEdit>(form, "RichTextBox1");
}

void click(const Form* form, const char* button)
{
    control<QAbstractButton>(form, button)->click();
}

class FormEserciziEseguitiTest : public WindowFixture
{
protected:
    FormEserciziEseguitiTest()
    {
        standIn(QStringLiteral("FormMenu"));
        program.language.CurrentLanguage = QStringLiteral("Italiano");
        program.services.printer = &noPrinter;
        PreparaTastiera(program.state);
        program.state.NomeUtente = QStringLiteral("MARIO");
        program.state.NomeFont = QStringLiteral("Verdana");
    }
    FormEserciziEseguiti* show()
    {
        return qobject_cast<FormEserciziEseguiti*>(
            windows.show(QStringLiteral("FormEserciziEseguiti")));
    }
    void finishedExercise()
    {
        auto& log = program.state.Registro;
        log[0] = {QStringLiteral("LETTERA INIZIALE"), QString(), QString()};
        log[1] = {QString(), QStringLiteral(" * CITTÀ * "), QStringLiteral("Fatto")};
        log[2] = {QString(), QStringLiteral(" * PERCHÉ *  (_ ERCHÉ B) "), QStringLiteral("Fatto")};
        log[3] = {QString(), QStringLiteral(" * SOLE * "), QString()};
        program.state.NumeroRigheRegistro = 3;
    }

    ~FormEserciziEseguitiTest() override { unloadAll(); } // the windows use noPrinter

    NoPrinter noPrinter;
};

// The report's lines and the summary's are the core's tests; here: their
// formats in the box, the date in the language's form, the summary built
// without loading the exercise window, and gone again on reactivation.
TEST_F(FormEserciziEseguitiTest, TheReportAndItsSummaryTakeTheirFormatsInTheBox)
{
    finishedExercise();
    FormEserciziEseguiti* form = show();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(box(form)->document()->defaultFont().family(), "Verdana");
    const QString report = box(form)->toPlainText();
    auto paragraphs = paragraphsOf(*box(form));
    ASSERT_EQ(paragraphs.size(), 12u);
    EXPECT_EQ(paragraphs[0].text, "MARIO");
    EXPECT_EQ(paragraphs[0].alignment, Alignment::Center);
    EXPECT_EQ(paragraphs[0].sizes, QList<double>({18}));
    EXPECT_EQ(paragraphs[2].text, "Data: " + QDate::currentDate().toString("dd/MM/yyyy"));
    EXPECT_EQ(paragraphs[9].text, " * PERCHÉ *  (_ ERCHÉ B) ");
    for (size_t i = 1; i < paragraphs.size(); ++i) {
        EXPECT_EQ(paragraphs[i].alignment, Alignment::Left) << i;
        EXPECT_EQ(paragraphs[i].sizes, QList<double>({14.5})) << i;
    }

    click(form, "Command3");
    EXPECT_TRUE(box(form)->toPlainText().startsWith(report + "\n****************************\n"));
    EXPECT_EQ(loadedNames(windows), QStringList({"FormEserciziEseguiti"}));
    paragraphs = paragraphsOf(*box(form));
    EXPECT_EQ(paragraphs[0].alignment, Alignment::Center);
    EXPECT_EQ(paragraphs[0].sizes, QList<double>({18}));
    EXPECT_EQ(paragraphs.back().sizes, QList<double>({14.5}));
    form->Form_Activate();
    EXPECT_EQ(box(form)->toPlainText(), report);
}

TEST_F(FormEserciziEseguitiTest, TheSavedReportReadsBackAsTheBoxShowsIt)
{
    program.state.NomeUtente = QStringLiteral("Zoë {\\b} \\par");
    finishedExercise();
    FormEserciziEseguiti* form = show();
    click(form, "Command3");
    const QString path = env.env().cartellaDati() + program.state.NomeUtente + "/oggi.rtf";
    seams.dialogs.files.push_back(path);
    click(form, "Command2");
    ASSERT_TRUE(seams.messages.shown.empty());
    ASSERT_TRUE(QFileInfo::exists(path));

    const auto read = readRtfWithUnrtf(path);
    const auto shown = paragraphsOf(*box(form));
    ASSERT_EQ(read.size(), shown.size());
    for (size_t i = 0; i < shown.size(); ++i) {
        // unrtf, made for HTML, shows a run of blanks as one.
        EXPECT_EQ(read[i].text, QString(shown[i].text).replace(QRegularExpression(" +"), " ")) << i;
        const QString alignment = shown[i].alignment == Alignment::Center  ? "center"
                                  : shown[i].alignment == Alignment::Right ? "right"
                                                                           : "left";
        EXPECT_EQ(read[i].alignment, alignment) << i;
        QList<int> sizes; // unrtf reads whole points
        for (double s : shown[i].sizes)
            sizes << int(s);
        EXPECT_EQ(read[i].sizes, sizes) << i;
        EXPECT_EQ(read[i].fonts, QStringList({"Verdana"})) << i;
        EXPECT_FALSE(read[i].bold);
    }
    EXPECT_EQ(read[0].text, "Zoë {\\b} \\par");
}

// Without a default printer the teacher is told and nothing else happens;
// with one, the report is what it prints.
TEST_F(FormEserciziEseguitiTest, PrintingGoesToThePrinterOrSaysThereIsNone)
{
    finishedExercise();
    FormEserciziEseguiti* form = show();
    const QString report = box(form)->toPlainText();
    click(form, "Command1");
    EXPECT_EQ(noPrinter.opened, 1);
    ASSERT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_EQ(seams.messages.shown[0].text, program.text("0202"));
    EXPECT_EQ(seams.messages.shown[0].icon, Message::Icon::Critical);
    EXPECT_EQ(box(form)->toPlainText(), report);

    QTemporaryDir dir;
    PdfFilePrinter pdf(dir.filePath("stampa.pdf"));
    program.services.printer = &pdf;
    click(form, "Command1");
    EXPECT_EQ(seams.messages.shown.size(), 1u);
    const auto pages = readPdfWords(dir.filePath("stampa.pdf"));
    ASSERT_EQ(pages.size(), 1u);
    QStringList words;
    for (const PdfWord& word : pages[0].words)
        words << word.text;
    EXPECT_EQ(words.first(), "MARIO");
    EXPECT_TRUE(words.contains("LETTERA"));
    EXPECT_EQ(words.filter("*").size(), 6); // two star runs and the stars of two words
}

} // namespace
