#include "core/report/ReportBuilder.h"

#include "core/app/Program.h"
#include "core/platform/TextFiles.h"
#include "core/report/ReportSave.h"
#include "support/Doubles.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>

using namespace ortolino;
using namespace ortolino::test;

namespace {

const QString kLine = QStringLiteral("\r\n****************************\r\n");

class ReportTest : public ::testing::Test
{
protected:
    ReportTest()
    {
        program.language.CurrentLanguage = QStringLiteral("Italiano");
        texts = ReportTexts::fromLanguage(program);
        PreparaTastiera(state());
        state().NomeUtente = QStringLiteral("MARIO");
    }
    ProgramState& state() { return program.state; }
    QString userFolder() const { return env.env().cartellaDati() + "MARIO/"; }

    TestEnvironment env;
    TestServices seams;
    Program program{env.env(), seams.services()};
    ReportTexts texts;
};

// The report's rows, their formats and the date: the report window's and the journey's tests.
TEST_F(ReportTest, TheSummaryNamesTheActiveKeysAndTheWords)
{
    const QString allPictures = QStringLiteral("\r\nParole con un massimo di lettere: 6\r\n"
                                               "In uso tutte le immagini disponibili");
    // The active keys (none: all 26), the list (none: all pictures), the text after the title.
    const std::tuple<std::vector<int>, QString, QString> cases[] = {
        {{0, 2, 4}, {}, "Q E T " + allPictures},
        {{}, {}, "tutte le lettere" + allPictures},
        {{0},
         "/liste/animali.txt",
         "Q \r\nParole con un massimo di lettere:-1\r\nLista di parole in uso: /liste/animali.txt"},
    };
    for (const auto& [keys, list, text] : cases) {
        state().LettereAttive.fill(keys.empty());
        for (int key : keys)
            state().LettereAttive[static_cast<size_t>(key)] = true;
        state().UsaTutteLeImmagini = list.isEmpty();
        state().MassimoLettere = list.isEmpty() ? 6 : -1;
        state().ListaInUso = list;
        QString box = QStringLiteral("report"); // the box's text after the steps
        for (const BoxStep& step :
             configurationSummary(state().NomeUtente, env.env(), state(), texts)) {
            if (step.kind == BoxStep::Kind::SetText)
                box = step.text;
            else if (step.kind == BoxStep::Kind::AppendText)
                box += step.text;
        }
        EXPECT_EQ(box, "report" + kLine + "Lettere attivate: " + text) << text.toStdString();
    }
}

TEST_F(ReportTest, SavingStartsInTheUsersOwnFolderAndACancelOrAFailureIsSaid)
{
    ASSERT_FALSE(QFileInfo(env.env().cartellaDati()).isDir()); // nothing made yet
    seams.dialogs.files.push_back(userFolder() + "oggi");
    EXPECT_TRUE(SalvaResoconto(program, nullptr, "{\\rtf1 x}"));
    ASSERT_EQ(seams.dialogs.fileRequests.size(), 1u);
    // User and day keep a week's reports apart; what FAT refuses goes.
    EXPECT_EQ(seams.dialogs.fileRequests[0].initialName,
              "MARIO " + QDate::currentDate().toString("yyyy-MM-dd") + ".rtf");
    EXPECT_EQ(nomeFileProposto("Anna: 3*B?", QDate(2026, 1, 9), "csv"), "Anna 3B 2026-01-09.csv");
    // The longest names leave room for day, extension and temporary suffix, with no half letter.
    for (const QString& longest :
         {QString(244, 'B'), QString(100, QChar(0x00C8)) + QString("😀").repeated(10) + "BB"}) {
        const QString offered = nomeFileProposto(longest, QDate(2026, 1, 9), "rtf");
        EXPECT_LE(offered.toUtf8().size() + 7, 255) << offered.toStdString();
        EXPECT_EQ(QString::fromUtf8(offered.toUtf8()), offered);
        EXPECT_TRUE(longest.startsWith(offered.chopped(15)) && offered.endsWith(" 2026-01-09.rtf"));
    }
    EXPECT_EQ(readFileBytes(userFolder() + "oggi.rtf"), QByteArray("{\\rtf1 x}"));
    EXPECT_TRUE(seams.messages.shown.empty());

    // Cancelled, and unwritable (a folder in the file's place): each said once, nothing written.
    const QString folderInTheWay = env.root() + "/resoconto.rtf";
    QDir().mkpath(folderInTheWay);
    for (const auto& [path, said] :
         {std::pair{QString(), program.text("0027")},
          {folderInTheWay, program.text("0203") + "\r\n" + folderInTheWay}}) {
        seams.messages.shown.clear();
        seams.dialogs.files.push_back(path);
        EXPECT_FALSE(SalvaResoconto(program, nullptr, "x"));
        ASSERT_EQ(seams.messages.shown.size(), 1u);
        EXPECT_EQ(std::pair(seams.messages.shown[0].text, seams.messages.shown[0].icon),
                  std::pair(said, Message::Icon::Critical));
    }
    EXPECT_EQ(QDir(userFolder()).entryList(QDir::Files), QStringList{"oggi.rtf"});
    EXPECT_TRUE(QFileInfo(folderInTheWay).isDir());

    // No user name leads outside the data folder.
    const Environment& e = env.env();
    for (const char* name : {"", ".", "..", "../utenti", "a/b"})
        EXPECT_EQ(cartellaDatiUtente(e, name), e.cartellaDati()) << name;
}

} // namespace
