#include "core/report/ReportSave.h"

#include "core/app/Program.h"
#include "core/platform/TextFiles.h"
#include "support/Doubles.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace ortolino;
using namespace ortolino::test;

namespace {

class ReportSaveTest : public ::testing::Test
{
protected:
    ReportSaveTest()
    {
        program.language.CurrentLanguage = QStringLiteral("Italiano");
        program.state.NomeUtente = QStringLiteral("MARIO");
    }
    QString userFolder() const { return env.env().cartellaDati() + "MARIO/"; }

    TestEnvironment env;
    TestServices seams;
    Program program{env.env(), seams.services()};
};

TEST_F(ReportSaveTest, TheDialogStartsInTheUsersFolderMadeForItAndCancellingSaysSo)
{
    ASSERT_FALSE(QFileInfo(env.env().cartellaDati()).isDir()); // nothing made yet
    const QString path = userFolder() + "oggi";
    seams.dialogs.files.push_back(path);
    EXPECT_TRUE(SalvaResoconto(program, nullptr, "{\\rtf1 x}"));
    ASSERT_EQ(seams.dialogs.fileRequests.size(), 1u);
    const auto& request = seams.dialogs.fileRequests[0];
    EXPECT_EQ(request.kind, Dialogs::Save);
    EXPECT_EQ(request.initialFolder, userFolder());
    EXPECT_EQ(request.defaultExtension, "rtf");
    EXPECT_EQ(readFileBytes(path + ".rtf"), QByteArray("{\\rtf1 x}"));
    EXPECT_TRUE(seams.messages.shown.empty());

    EXPECT_FALSE(SalvaResoconto(program, nullptr, "{\\rtf1 y}")); // the dialog cancelled
    ASSERT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_EQ(seams.messages.shown[0].text, program.text("0027"));
    EXPECT_EQ(seams.messages.shown[0].icon, Message::Icon::Critical);
    EXPECT_EQ(QDir(userFolder()).entryList(QDir::Files), QStringList{"oggi.rtf"});
}

TEST_F(ReportSaveTest, AFailedWriteIsReportedWithThePath)
{
    // A folder where the file should go, and a folder that does not exist:
    // neither can be written, whoever runs the test.
    const QString folderInTheWay = env.root() + "/resoconto.rtf";
    QDir().mkpath(folderInTheWay);
    for (const QString& path : {folderInTheWay, env.root() + "/non/esiste/resoconto.rtf"}) {
        seams.messages.shown.clear();
        seams.dialogs.files.push_back(path);
        EXPECT_FALSE(SalvaResoconto(program, nullptr, "x"));
        ASSERT_EQ(seams.messages.shown.size(), 1u);
        EXPECT_EQ(seams.messages.shown[0].text, program.text("0203") + "\r\n" + path);
        EXPECT_EQ(seams.messages.shown[0].icon, Message::Icon::Critical);
    }
    EXPECT_TRUE(QFileInfo(folderInTheWay).isDir());
}

TEST_F(ReportSaveTest, NoUserNameLeadsOutsideTheDataFolder)
{
    const Environment& e = env.env();
    EXPECT_EQ(cartellaDatiUtente(e, "Anna Maria"), e.cartellaDati() + "Anna Maria/");
    for (const QString& name :
         {QString(), QString("."), QString(".."), QString("../utenti"), QString("a/b")})
        EXPECT_EQ(cartellaDatiUtente(e, name), e.cartellaDati()) << name.toStdString();
}

} // namespace
