#include "gui/config/ConfigFixture.h"

using namespace ortolino;
using namespace ortolino::test;

namespace {

class ListEditorWindowTest : public ConfigFixture
{
protected:
    ListEditorWindowTest()
    {
        for (const char* name : {"cane.jpg", "Gatto.GIF", "sole.png", "farfalla.jpg"})
            env.writeProgramFile(QStringLiteral("immagini/") + name, "picture");
        QDir().mkpath(env.env().programFile("liste"));
    }

    QStringList wordsOf(const char* name) const
    {
        QStringList words;
        for (int i = 0; i < list(name)->count(); ++i)
            words << list(name)->item(i)->text();
        return words;
    }

    // Selects the words given on one side and moves them with its arrow.
    void move(const char* from, const QStringList& words, const char* arrow) const
    {
        QListWidget* side = list(from);
        for (int i = 0; i < side->count(); ++i)
            side->item(i)->setSelected(words.contains(side->item(i)->text()));
        click(arrow);
    }

    QString listPath(const QString& name) const { return env.env().programFile("liste/" + name); }
};

constexpr const char* kAvailable = "ListImmaginiDisponibili";
constexpr const char* kInList = "ListImmaginiDaUtilizzare";

// The words the user will never be given (FARFALLA: longer than 5 letters)
// are marked on either side, and the list's words that fit are counted.
TEST_F(ListEditorWindowTest, ANewListOffersEveryPictureWordAndTheArrowsMoveTheChosenOnes)
{
    program.state.MassimoLettere = 5;
    openConfig();
    click("CommandCreaLista");
    EXPECT_TRUE(find("FrameCreaNuovaLista")->isVisible());
    EXPECT_EQ(wordsOf(kAvailable), QStringList({"CANE", "FARFALLA", "GATTO"}));
    EXPECT_TRUE(wordsOf(kInList).isEmpty());
    const auto marked = [this](const char* side, int row) {
        const QListWidgetItem* item = list(side)->item(row);
        const bool tipped = item->toolTip() == program.text("0222");
        EXPECT_EQ(item->font().italic(), tipped);
        return tipped;
    };
    EXPECT_TRUE(marked(kAvailable, 1));
    EXPECT_FALSE(marked(kAvailable, 0));
    const auto counted = [this](int fit, int all) {
        return program.text("0221").arg(fit).arg(all);
    };
    EXPECT_EQ(text("LabelParoleAdatte"), counted(0, 0));

    move(kAvailable, {"GATTO", "CANE", "FARFALLA"}, "Command1");
    EXPECT_EQ(wordsOf(kInList), QStringList({"CANE", "FARFALLA", "GATTO"}));
    EXPECT_TRUE(marked(kInList, 1));
    EXPECT_EQ(text("LabelParoleAdatte"), counted(2, 3));
    move(kInList, {"GATTO", "FARFALLA"}, "Command2");
    EXPECT_EQ(wordsOf(kAvailable), QStringList({"FARFALLA", "GATTO"}));
    EXPECT_TRUE(marked(kAvailable, 0));
    EXPECT_EQ(text("LabelParoleAdatte"), counted(1, 1));

    click("CommandSvuotaLista");
    EXPECT_EQ(wordsOf(kAvailable).size(), 3);
    click("Command7");
    EXPECT_FALSE(find("FrameCreaNuovaLista")->isVisible());
}

TEST_F(ListEditorWindowTest, ASavedListBecomesTheListInUseAndTheEditorReadsItBack)
{
    openConfig();
    click("CommandCreaLista");
    click("CommandSalvaLista"); // nothing on the list side
    EXPECT_EQ(messageTexts(), QStringList({program.text("0012")}));
    EXPECT_TRUE(seams.dialogs.fileRequests.empty());

    move(kAvailable, {"CANE", "GATTO"}, "Command1");
    seams.dialogs.files = {listPath("animali")};
    click("CommandSalvaLista");
    ASSERT_EQ(seams.dialogs.fileRequests.size(), 1u);
    const auto& request = seams.dialogs.fileRequests[0];
    EXPECT_EQ(request.kind, Dialogs::Save);
    EXPECT_EQ(request.initialFolder, env.env().programFile("liste/"));
    EXPECT_EQ(request.defaultExtension, "txt");

    const QString saved = listPath("animali.txt");
    EXPECT_TRUE(QFile::exists(saved));
    EXPECT_EQ(program.state.ListaInUso, saved);
    EXPECT_EQ(text("LabelListaInUso"), "animali.txt"); // the name; the path in the tooltip
    EXPECT_EQ(find("LabelListaInUso")->toolTip(), saved);

    click("Command7");
    click("CommandModificaListaInUso");
    EXPECT_EQ(wordsOf(kInList), QStringList({"CANE", "GATTO"}));
    EXPECT_EQ(wordsOf(kAvailable), QStringList({"FARFALLA"}));
    EXPECT_FALSE(find("Picture1")->isVisible()); // the waiting notice went

    seams.dialogs.files = {QString()}; // cancelled: the list in use stays
    click("CommandSalvaLista");
    EXPECT_EQ(program.state.ListaInUso, saved);
}

TEST_F(ListEditorWindowTest, AListThatCannotBeWrittenLeavesTheListInUseAlone)
{
    QDir().mkpath(listPath("cartella.txt")); // a folder where the file should go
    const QString before = program.state.ListaInUso;
    openConfig();
    click("CommandCreaLista");
    move(kAvailable, {"CANE"}, "Command1");
    seams.dialogs.files = {listPath("cartella.txt")};
    click("CommandSalvaLista");
    ASSERT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_TRUE(seams.messages.shown[0].text.startsWith(program.text("0205")));
    EXPECT_EQ(program.state.ListaInUso, before);
}

TEST_F(ListEditorWindowTest, ChoosingTheListInUseAndCancellingKeepsTheOneBefore)
{
    program.state.UsaTutteLeImmagini = false;
    const QString before = program.state.ListaInUso;
    openConfig();
    click("CommandCambiaListaInUso"); // cancelled
    EXPECT_EQ(messageTexts(), QStringList({program.text("0011")}));
    EXPECT_EQ(program.state.ListaInUso, before);
    EXPECT_EQ(seams.dialogs.fileRequests.at(0).kind, Dialogs::Open);

    seams.dialogs.files = {listPath("frutta.txt")};
    click("CommandCambiaListaInUso");
    EXPECT_EQ(program.state.ListaInUso, listPath("frutta.txt"));
    EXPECT_EQ(text("LabelListaInUso"), "frutta.txt");

    click("Check2");
    EXPECT_TRUE(program.state.UsaTutteLeImmagini);
    EXPECT_EQ(text("LabelListaInUso"), "");
}

} // namespace
