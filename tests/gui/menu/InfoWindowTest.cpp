#include "core/app/Informazioni.h"
#include "gui/menu/FormInfo.h"
#include "gui/menu/MenuFixture.h"

#include <QLabel>
#include <QScreen>

using namespace ortolino;
using namespace ortolino::test;

namespace {

using InfoWindowTest = MenuFixture;

TEST_F(InfoWindowTest, ShowsItsTextsThePictureOpensTheDocumentAndCloseLeadsToTheMenu)
{
    program.language.CurrentLanguage = "English";
    auto* info = qobject_cast<FormInfo*>(windows.show("FormInfo"));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->windowTitle(), "Ortolino - Information");
    EXPECT_EQ(info->geometry(), info->screen()->availableGeometry());
    EXPECT_TRUE(control<QLabel>(info, "Label1")->text().startsWith("Software by\n"));
    EXPECT_EQ(control<QLabel>(info, "Label3")->text().count('\n'), 2); // three lines
    EXPECT_EQ(control<QLabel>(info, "Label4")->text(), righeLingua(program.language));
    EXPECT_TRUE(control<QLabel>(info, "Label4")->text().startsWith(program.text("9996")));

    for (int click = 0; click < 2; ++click)
        QTest::mouseClick(control(info, "Image1"), Qt::LeftButton);
    const QString document = env.env().programFolder + "/documento.pdf";
    EXPECT_EQ(seams.documents.opened, QStringList({document, document}));
    QTest::mouseClick(control(info, "Command1"), Qt::LeftButton);
    settle();
    EXPECT_EQ(loadedNames(windows), QStringList({"FormMenu"}));
}

} // namespace
