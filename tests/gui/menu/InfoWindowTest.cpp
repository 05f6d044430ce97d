#include "gui/menu/FormInfo.h"
#include "gui/menu/MenuFixture.h"

#include <QPushButton>
#include <QScreen>

using namespace ortolino;
using namespace ortolino::test;

namespace {

using InfoWindowTest = MenuFixture;

TEST_F(InfoWindowTest, ShowsTheCreditTheNoticeAndTheLanguageLines)
{
    program.language.CurrentLanguage = "English";
    auto* info = qobject_cast<FormInfo*>(windows.show("FormInfo"));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->windowTitle(), "Ortolino - Information");
    EXPECT_EQ(info->geometry(), info->screen()->availableGeometry());
    EXPECT_TRUE(info->Label1->text().startsWith("Software di\n"));
    EXPECT_EQ(info->Label1->text().count('\n'), 4);
    EXPECT_EQ(info->Label3->text().count('\n'), 2); // three lines
    EXPECT_EQ(info->Label4->text(), program.text("9996") + "\n" + program.text("9997") + "\n" +
                                        program.text("9998") + "\n" + program.text("9999") + "\n");
}

TEST_F(InfoWindowTest, OnlyTheLanguageLinesThatExistAreShown)
{
    env.writeProgramFile("lngortolino/Prova.lng",
                         "[Strings]\r\n9996=\"prima\"\r\n9998=\"terza\"\r\n");
    program.language.CurrentLanguage = "Prova";
    auto* info = qobject_cast<FormInfo*>(windows.show("FormInfo"));
    EXPECT_EQ(info->Label4->text(), "prima\nterza\n");
}

TEST_F(InfoWindowTest, ThePictureOpensTheDocumentEachTimeAndCloseLeadsToTheMenu)
{
    auto* info = qobject_cast<FormInfo*>(windows.show("FormInfo"));
    QTest::mouseClick(info->Image1, Qt::LeftButton);
    QTest::mouseClick(info->Image1, Qt::LeftButton);
    const QString document = env.env().programFolder + "/documento.pdf";
    EXPECT_EQ(seams.documents.opened, QStringList({document, document}));
    QTest::mouseClick(info->Command1, Qt::LeftButton);
    settle();
    EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu"}));
}

} // namespace
