#include "core/exercise/ExerciseFixture.h"

#include <QDir>

using namespace ortolino;
using namespace ortolino::test;

namespace {

class CatalogueTest : public ExerciseTest
{
protected:
    QStringList load()
    {
        folder = CaricaParole(env.env(), state, &view);
        return catalogue();
    }
    PictureFolder folder;
};

TEST(ListFields, FollowTheFileFormat)
{
    const std::pair<const char*, QStringList> cases[] = {
        {"cane,gatto", {"cane", "gatto"}},
        {"  sole\r\n\"gatto\"\r\n", {"sole", "gatto"}},
        // A quoted field runs to the next quote, commas and blanks included; what
        // follows the closing quote up to the separator is dropped.
        {" \"a, b \"x,y", {"a, b ", "y"}},
        {"\"aperto", {"aperto"}},
        // Empty lines and fields are fields of their own; LF alone ends a line too.
        {"re\r\n\r\n,,\"\"\nre", {"re", "", "", "", "", "re"}},
        // Blanks inside and after an unquoted word stay.
        {"gatto nero ,x", {"gatto nero ", "x"}},
    };
    for (const auto& [text, fields] : cases)
        EXPECT_EQ(campiListaParole(text), fields) << text;
}

TEST_F(CatalogueTest, AListGivesItsAdmittedWordsInTheCaseInForce)
{
    useList("cane\r\ngatto\r\nsole\r\n");
    state.MassimoLettere = 5;
    EXPECT_EQ(load(), (QStringList{"CANE", "GATTO", "SOLE"}));
    state.MassimoLettere = 4;
    EXPECT_EQ(load(), (QStringList{"CANE", "SOLE"}));

    useList("  CANE, \"Gatto\"\r\n\r\n,,farfalla\r\nre\r\nsole");
    for (const QString& lettering : {kMinuscolo, kCorsivo}) {
        state.CarattereLettere = lettering;
        state.MassimoLettere = 13;
        EXPECT_EQ(load(), (QStringList{"cane", "gatto", "farfalla", "re", "sole"}));
    }
    state.MassimoLettere = 3;
    EXPECT_EQ(load(), QStringList{"re"});
    EXPECT_FALSE(state.UsaTutteLeImmagini);

    // Windows-1252 or UTF-8, the accents stay.
    state.CarattereLettere = kMaiuscolo;
    state.MassimoLettere = 13;
    useList("perch\xe9\r\ncitt\xe0\r\n\xe8");
    EXPECT_EQ(load(), (QStringList{"PERCHÉ", "CITTÀ", "È"}));
    useList("perché,però");
    EXPECT_EQ(load(), (QStringList{"PERCHÉ", "PERÒ"}));

    // A list saved beside the settings is read first.
    writeFile(env.env().writableTwin("liste/prova.txt"), "gatto\r\n");
    EXPECT_EQ(load(), QStringList{"GATTO"});
}

TEST_F(CatalogueTest, TheCatalogueHoldsTheFirstThousandAdmittedWords)
{
    QByteArray list = "troppolungaparola\r\n";
    for (int i = 0; i < 1200; ++i)
        list += "p" + QByteArray::number(i) + "\r\n";
    useList(list);
    const QStringList words = load();
    ASSERT_EQ(state.NumeroParole, 1000);
    EXPECT_EQ(words.first(), "P0");
    EXPECT_EQ(words.last(), "P999");
}

TEST_F(CatalogueTest, ThePictureFolderGivesOneWordPerJpgOrGifNameFoundInAnyCase)
{
    addPictures({"Cane.JPG", "cane.jpeg", "cane.png", "readme.txt", "x.gif", "gatto.Gif",
                 "farfalla.jpg", "jpg", ".nascosto.jpg", "sole.gif", "SOLE.jpg"});
    QDir().mkpath(programPath("immagini/cartella.jpg"));
    state.MassimoLettere = 5;
    EXPECT_EQ(load(), (QStringList{"CANE", "GATTO", "SOLE", "SOLE", "X"}));
    EXPECT_EQ(events, (QStringList{"notice shown", "notice hidden"}));
    // Names come in order without regard to case; a folder is a name too.
    state.MassimoLettere = 13;
    EXPECT_EQ(load().mid(0, 3), (QStringList{"CANE", "CARTELLA", "FARFALLA"}));

    const QString folderPath = programPath("immagini");
    EXPECT_EQ(folder.PercorsoImmagine("cane"), folderPath + "/Cane.JPG");
    EXPECT_EQ(folder.PercorsoImmagine("  X"), folderPath + "/x.gif");
    EXPECT_EQ(folder.PercorsoImmagine("Sole"), folderPath + "/SOLE.jpg"); // .jpg first
    EXPECT_TRUE(folder.hasPicture("GATTO"));
    EXPECT_FALSE(folder.hasPicture("CARTELLA")); // folders and hidden files are no pictures
    EXPECT_FALSE(folder.hasPicture(".nascosto"));
    EXPECT_FALSE(folder.hasPicture("topo"));
    EXPECT_EQ(folder.PercorsoImmagine(" topo"), folderPath + "/topo.gif");
}

TEST_F(CatalogueTest, AMissingListSwitchesToAllPicturesForGood)
{
    addPictures({"cane.jpg"});
    state.UsaTutteLeImmagini = false;
    state.ListaInUso = programPath("liste/manca.txt");
    EXPECT_EQ(load(), QStringList{"CANE"});
    EXPECT_TRUE(state.UsaTutteLeImmagini);

    env.writeProgramFile("liste/manca.txt", "gatto\r\n");
    EXPECT_EQ(load(), QStringList{"CANE"});

    state.UsaTutteLeImmagini = false;
    state.ListaInUso.clear();
    EXPECT_EQ(load(), QStringList{"CANE"});
    EXPECT_TRUE(state.UsaTutteLeImmagini);
    EXPECT_TRUE(seams.messages.shown.empty());
}

} // namespace
