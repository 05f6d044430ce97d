#include "gui/report/FormEserciziEseguiti.h"

#include "gui/widgets/PrinterTarget.h"
#include "support/ExternalReaders.h"
#include "support/WindowFixture.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QDate>
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

// One paragraph of the box as a reader sees it: its text, alignment ("left",
// "right" or "center", as unrtf names them) and point sizes.
struct BoxParagraph
{
    QString text, alignment;
    QList<double> sizes;
};

std::vector<BoxParagraph> paragraphsOf(const QTextEdit& box)
{
    std::vector<BoxParagraph> paragraphs;
    const QFont base = box.document()->defaultFont();
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next()) {
        const Qt::Alignment a = block.blockFormat().alignment();
        BoxParagraph p{block.text(),
                       a & Qt::AlignHCenter ? "center"
                       : a & Qt::AlignRight ? "right"
                                            : "left",
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
        auto& log = program.state.Registro;
        log[0] = {QStringLiteral("LETTERA INIZIALE"), QString(), QString()};
        log[1] = {QString(), QStringLiteral(" * CITTÀ * "), QStringLiteral("Fatto")};
        log[2] = {QString(), QStringLiteral(" * PERCHÉ *  (_ ERCHÉ B) "), QStringLiteral("Fatto")};
        log[3] = {QString(), QStringLiteral(" * SOLE * "), QString()};
        program.state.NumeroRigheRegistro = 3;
    }
    ~FormEserciziEseguitiTest() override { unloadAll(); } // the windows use noPrinter

    void click(const char* button) const { control<QAbstractButton>(form, button)->click(); }

    NoPrinter noPrinter;
    FormEserciziEseguiti* form = nullptr;
};

// The lines are the core's; here: their formats in the box, printing, the
// summary without the exercise window, and the saved file reading back as shown.
TEST_F(FormEserciziEseguitiTest, TheReportTakesItsFormatsInTheBoxAndIsPrintedAndSavedAsShown)
{
    form = qobject_cast<FormEserciziEseguiti*>(windows.show("FormEserciziEseguiti"));
    ASSERT_NE(form, nullptr);
    auto* box = control<QTextEdit>(form, "RichTextBox1");
    EXPECT_EQ(box->document()->defaultFont().family(), "Verdana");
    const QString report = box->toPlainText();
    auto paragraphs = paragraphsOf(*box);
    ASSERT_EQ(paragraphs.size(), 12u);
    EXPECT_EQ(paragraphs[0].text, "MARIO");
    EXPECT_EQ(paragraphs[0].alignment, "center");
    EXPECT_EQ(paragraphs[0].sizes, QList<double>({18}));
    EXPECT_EQ(paragraphs[2].text, "Data: " + QDate::currentDate().toString("dd/MM/yyyy"));
    EXPECT_EQ(paragraphs[9].text, " * PERCHÉ *  (_ ERCHÉ B) ");
    for (size_t i = 1; i < paragraphs.size(); ++i) {
        EXPECT_EQ(paragraphs[i].alignment, "left") << i;
        EXPECT_EQ(paragraphs[i].sizes, QList<double>({14.5})) << i;
    }

    // Without a default printer the teacher is told; with one, it prints the report.
    click("Command1");
    EXPECT_EQ(noPrinter.opened, 1);
    ASSERT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_EQ(seams.messages.shown[0].text, program.text("0202"));
    EXPECT_EQ(seams.messages.shown[0].icon, Message::Icon::Critical);
    QTemporaryDir dir;
    PdfFilePrinter pdf(dir.filePath("stampa.pdf"));
    program.services.printer = &pdf;
    click("Command1");
    const auto pages = readPdfWords(dir.filePath("stampa.pdf"));
    ASSERT_EQ(pages.size(), 1u);
    QStringList words;
    for (const PdfWord& word : pages[0].words)
        words << word.text;
    EXPECT_EQ(words.first(), "MARIO");
    EXPECT_TRUE(words.contains("LETTERA"));
    EXPECT_EQ(words.filter("*").size(), 6); // two star runs and the stars of two words

    click("Command3");
    EXPECT_TRUE(box->toPlainText().startsWith(report + "\n****************************\n"));
    EXPECT_EQ(loadedNames(windows), QStringList({"FormEserciziEseguiti"}));
    paragraphs = paragraphsOf(*box);
    EXPECT_EQ(paragraphs[0].alignment, "center");
    EXPECT_EQ(paragraphs[0].sizes, QList<double>({18}));
    EXPECT_EQ(paragraphs.back().sizes, QList<double>({14.5}));

    const QString path = env.env().cartellaDati() + "MARIO/oggi.rtf";
    seams.dialogs.files.push_back(path);
    click("Command2");
    ASSERT_EQ(seams.messages.shown.size(), 1u);
    const auto read = readRtfWithUnrtf(path);
    ASSERT_EQ(read.size(), paragraphs.size());
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        // unrtf, made for HTML, shows a run of blanks as one.
        EXPECT_EQ(read[i].text, paragraphs[i].text.replace(QRegularExpression(" +"), " ")) << i;
        EXPECT_EQ(read[i].alignment, paragraphs[i].alignment) << i;
        QList<int> sizes; // unrtf reads whole points
        for (double s : paragraphs[i].sizes)
            sizes << int(s);
        EXPECT_EQ(read[i].sizes, sizes) << i;
        EXPECT_EQ(read[i].fonts, QStringList({"Verdana"})) << i;
        EXPECT_FALSE(read[i].bold);
    }

    form->Form_Activate();
    EXPECT_EQ(box->toPlainText(), report);
}

} // namespace
