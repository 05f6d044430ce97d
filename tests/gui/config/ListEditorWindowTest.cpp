#include "gui/config/ConfigFixture.h"

#include <QGroupBox>

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

    static QStringList wordsOf(const QListWidget* list)
    {
        QStringList words;
        for (int i = 0; i < list->count(); ++i)
            words << list->item(i)->text();
        return words;
    }

    static void select(QListWidget* list, const QStringList& words)
    {
        for (int i = 0; i < list->count(); ++i)
            list->item(i)->setSelected(words.contains(list->item(i)->text()));
    }

    QString listPath(const QString& name) const { return env.env().programFile("liste/" + name); }
};

TEST_F(ListEditorWindowTest, ANewListOffersEveryPictureWordAndTheArrowsMoveTheChosenOnes)
{
    FormConfigura* config = openConfig();
    config->CommandCreaLista->click();
    EXPECT_TRUE(config->FrameCreaNuovaLista->isVisible());
    EXPECT_EQ(wordsOf(config->ListImmaginiDisponibili), QStringList({"CANE", "FARFALLA", "GATTO"}));
    EXPECT_TRUE(wordsOf(config->ListImmaginiDaUtilizzare).isEmpty());

    select(config->ListImmaginiDisponibili, {"GATTO"});
    config->Command1->click();
    select(config->ListImmaginiDisponibili, {"CANE"});
    config->Command1->click();
    EXPECT_EQ(wordsOf(config->ListImmaginiDaUtilizzare), QStringList({"CANE", "GATTO"}));
    EXPECT_EQ(wordsOf(config->ListImmaginiDisponibili), QStringList({"FARFALLA"}));

    select(config->ListImmaginiDaUtilizzare, {"GATTO"});
    config->Command2->click();
    EXPECT_EQ(wordsOf(config->ListImmaginiDisponibili), QStringList({"FARFALLA", "GATTO"}));

    config->CommandSvuotaLista->click();
    EXPECT_EQ(wordsOf(config->ListImmaginiDisponibili).size(), 3);
    config->Command7->click();
    EXPECT_FALSE(config->FrameCreaNuovaLista->isVisible());
}

TEST_F(ListEditorWindowTest, TheListInUseShowsItsPictureWordsOnce)
{
    env.writeProgramFile("liste/animali.txt", "cane\r\nvolpe\r\ncane\r\n");
    program.state.ListaInUso = listPath("animali.txt");
    program.state.UsaTutteLeImmagini = false;
    FormConfigura* config = openConfig();
    config->CommandModificaListaInUso->click();
    EXPECT_EQ(wordsOf(config->ListImmaginiDaUtilizzare), QStringList({"CANE"}));
    EXPECT_EQ(wordsOf(config->ListImmaginiDisponibili), QStringList({"FARFALLA", "GATTO"}));
    EXPECT_FALSE(config->Picture1->isVisible());
}

TEST_F(ListEditorWindowTest, WithoutAListTheEditorStartsFromEveryShortPicture)
{
    program.state.ListaInUso = listPath("manca.txt");
    program.state.UsaTutteLeImmagini = false;
    program.state.MassimoLettere = 5;
    FormConfigura* config = openConfig();
    config->CommandModificaListaInUso->click();
    EXPECT_TRUE(program.state.UsaTutteLeImmagini);
    EXPECT_EQ(wordsOf(config->ListImmaginiDaUtilizzare), QStringList({"CANE", "GATTO"}));
    EXPECT_EQ(wordsOf(config->ListImmaginiDisponibili), QStringList({"FARFALLA"}));
}

TEST_F(ListEditorWindowTest, ASavedListIsWrittenInCapitalsAndBecomesTheListInUse)
{
    FormConfigura* config = openConfig();
    config->CommandCreaLista->click();
    config->CommandSalvaLista->click(); // nothing on the list side
    EXPECT_EQ(messageTexts(), QStringList({program.text("0012")}));
    EXPECT_EQ(seams.messages.shown[0].icon, Message::Icon::None);
    EXPECT_TRUE(seams.dialogs.fileRequests.empty());

    select(config->ListImmaginiDisponibili, {"CANE", "GATTO"});
    config->Command1->click();
    seams.dialogs.files = {listPath("animali")};
    config->CommandSalvaLista->click();
    ASSERT_EQ(seams.dialogs.fileRequests.size(), 1u);
    const auto& request = seams.dialogs.fileRequests[0];
    EXPECT_EQ(request.kind, Dialogs::Save);
    EXPECT_EQ(request.title, "Salva");
    EXPECT_EQ(request.initialName, "*.txt");
    EXPECT_EQ(request.initialFolder, env.env().programFile("liste/"));
    EXPECT_EQ(request.defaultExtension, "txt");

    const QString saved = listPath("animali.txt");
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("CANE\r\nGATTO\r\n"));
    EXPECT_EQ(program.state.ListaInUso, saved);
    EXPECT_EQ(config->LabelListaInUso->text(), saved);

    // Read back: the editor on the list in use shows the same words.
    config->Command7->click();
    config->CommandModificaListaInUso->click();
    EXPECT_EQ(wordsOf(config->ListImmaginiDaUtilizzare), QStringList({"CANE", "GATTO"}));

    seams.dialogs.files = {QString()}; // cancelled: the list in use stays
    config->CommandSalvaLista->click();
    EXPECT_EQ(program.state.ListaInUso, saved);
}

TEST_F(ListEditorWindowTest, AListThatCannotBeWrittenLeavesTheListInUseAlone)
{
    QDir().mkpath(listPath("cartella.txt")); // a folder where the file should go
    const QString before = program.state.ListaInUso;
    FormConfigura* config = openConfig();
    config->CommandCreaLista->click();
    select(config->ListImmaginiDisponibili, {"CANE"});
    config->Command1->click();
    seams.dialogs.files = {listPath("cartella.txt")};
    config->CommandSalvaLista->click();
    ASSERT_EQ(seams.messages.shown.size(), 1u);
    EXPECT_EQ(seams.messages.shown[0].title, "Ortolino");
    EXPECT_TRUE(seams.messages.shown[0].text.startsWith(program.text("0205")));
    EXPECT_EQ(program.state.ListaInUso, before);
}

TEST_F(ListEditorWindowTest, ChoosingTheListInUseAndCancellingKeepsTheOneBefore)
{
    program.state.UsaTutteLeImmagini = false;
    const QString before = program.state.ListaInUso;
    FormConfigura* config = openConfig();
    config->CommandCambiaListaInUso->click(); // cancelled
    EXPECT_EQ(messageTexts(), QStringList({program.text("0011")}));
    EXPECT_EQ(program.state.ListaInUso, before);
    const auto& request = seams.dialogs.fileRequests.at(0);
    EXPECT_EQ(request.kind, Dialogs::Open);
    EXPECT_EQ(request.title, "Open");
    ASSERT_EQ(request.filters.size(), 2);
    EXPECT_EQ(request.filters[1].pattern, "*.*");

    seams.dialogs.files = {listPath("frutta.txt")};
    config->CommandCambiaListaInUso->click();
    EXPECT_EQ(program.state.ListaInUso, listPath("frutta.txt"));
    EXPECT_EQ(config->LabelListaInUso->text(), listPath("frutta.txt"));
    EXPECT_FALSE(program.state.UsaTutteLeImmagini);

    config->Check2->click();
    EXPECT_TRUE(program.state.UsaTutteLeImmagini);
    EXPECT_EQ(config->LabelListaInUso->text(), "");
}

} // namespace
