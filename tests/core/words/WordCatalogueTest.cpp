#include "core/exercise/ExerciseFixture.h"

#include <fcntl.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <sys/stat.h>

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

// Dates a folder an hour back, so that an index made now cannot miss a later change.
void settle(const QString& path)
{
    timespec times[2];
    clock_gettime(CLOCK_REALTIME, &times[0]);
    times[0].tv_sec -= 3600;
    times[1] = times[0];
    ASSERT_EQ(utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

TEST(ListFields, FollowTheFileFormat)
{
    const std::pair<const char*, QStringList> cases[] = {
        {"  sole\r\n\"gatto\"\r\n", {"sole", "gatto"}},
        // A quoted field runs to the next quote; what follows it up to the separator goes.
        {" \"a, b \"x,y", {"a, b ", "y"}},
        {"\"aperto", {"aperto"}},
        // Empty lines and fields are fields of their own; LF alone ends a line too.
        {"re\r\n\r\n,,\"\"\nre", {"re", "", "", "", "", "re"}},
        // Blanks inside a word stay; after an unquoted one (Notepad's "casa ") they go.
        {"gatto nero ,x  \r\n\"re \"", {"gatto nero", "x", "re "}},
    };
    for (const auto& [text, fields] : cases)
        EXPECT_EQ(campiListaParole(text), fields) << text;
}

TEST_F(CatalogueTest, AListFromHereOrElsewhereGivesItsAdmittedWordsInTheCaseInForce)
{
    useList("  CANE, \"Gatto\"\r\n\r\n,,farfalla\r\nre\r\nsole");
    state.CarattereLettere = kMinuscolo; // and cursive: the window's test
    EXPECT_EQ(load(), (QStringList{"cane", "gatto", "farfalla", "re", "sole"}));
    state.MassimoLettere = 3;
    EXPECT_EQ(load(), QStringList{"re"});

    // Windows-1252 or UTF-8, the accents stay.
    state.CarattereLettere = kMaiuscolo;
    state.MassimoLettere = 13;
    useList("perch\xe9\r\ncitt\xe0\r\n\xe8");
    EXPECT_EQ(load(), (QStringList{"PERCHÉ", "CITTÀ", "È"}));
    useList("perché,però");
    EXPECT_EQ(load(), (QStringList{"PERCHÉ", "PERÒ"}));
    // Notepad's "Unicode" (UTF-16 with its mark).
    useList(
        QStringEncoder(QStringConverter::Utf16LE, QStringEncoder::Flag::WriteBom)(u"città\r\nè"));
    EXPECT_EQ(load(), (QStringList{"CITTÀ", "È"}));

    // The catalogue holds the first thousand admitted words.
    QByteArray list = "troppolungaparola\r\n";
    for (int i = 0; i < 1200; ++i)
        list += "p" + QByteArray::number(i) + "\r\n";
    useList(list);
    const QStringList words = load();
    EXPECT_EQ((QStringList{words.value(0), words.value(999), words.value(1000)}),
              (QStringList{"P0", "P999", ""}));

    // A list saved beside the settings is read first.
    writeFile(env.env().writableTwin("liste/prova.txt"), "gatto\r\n");
    EXPECT_EQ(load(), QStringList{"GATTO"});

    // A list path from another system is found by its file name in the lists
    // folder, in any case; else all pictures serve (the profile keeps its list).
    addPictures({"cane.jpg"});
    env.writeProgramFile("liste/Animali.TXT", "gatto\r\n");
    const std::pair<QString, QStringList> cases[] = {
        {programPath("liste/animali.txt"), {"GATTO"}},
        {"C:\\Programmi\\Ortolino\\LISTE\\ANIMALI.txt", {"GATTO"}},
        {"animali.txt", {"GATTO"}},
        {"C:\\liste\\manca.txt", {"CANE"}},
        {QString(), {"CANE"}},
    };
    for (const auto& [line, served] : cases) {
        state.UsaTutteLeImmagini = false;
        state.ListaInUso = line;
        EXPECT_EQ(
            std::tuple(load(), state.TutteLeImmagini, state.UsaTutteLeImmagini, state.ListaInUso),
            std::tuple(served, served == QStringList{"CANE"}, false, line))
            << line.toStdString();
    }
    EXPECT_TRUE(seams.messages.shown.empty());

    // A list saved beside the settings wins, for a path from elsewhere too.
    writeFile(env.env().writableTwin("liste/animali.txt"), "topo\r\n");
    state.ListaInUso = "C:\\liste\\Animali.txt";
    EXPECT_EQ(load(), QStringList{"TOPO"});
}

TEST_F(CatalogueTest, ThePictureFolderGivesOneWordPerJpgOrGifNameFoundInAnyCase)
{
    addPictures({"Cane.JPG", "cane.jpeg", "cane.png", "readme.txt", "x.gif", "gatto.Gif",
                 "farfalla.jpg", "jpg", ".nascosto.jpg", "sole.gif", "SOLE.jpg", "fuß.jpg"});
    QDir().mkpath(programPath("immagini/cartella.jpg"));
    state.MassimoLettere = 5;
    EXPECT_EQ(load(), (QStringList{"CANE", "FUSS", "GATTO", "SOLE", "SOLE", "X"}));
    // Names come in order without regard to case; a folder is a name too.
    state.MassimoLettere = 13;
    EXPECT_EQ(load().mid(0, 3), (QStringList{"CANE", "CARTELLA", "FARFALLA"}));
    // A reopening takes the words kept with the index only for the same length and case.
    settle(programPath("immagini"));
    load();
    state.CarattereLettere = kMinuscolo;
    EXPECT_EQ(load().mid(0, 3), (QStringList{"cane", "cartella", "farfalla"}));
    state.MassimoLettere = 5;
    EXPECT_EQ(load(), (QStringList{"cane", "fuß", "gatto", "sole", "sole", "x"}));

    const QString pictures = programPath("immagini") + "/";
    // A word in capitals finds its picture even when its letters grew (ß, SS).
    EXPECT_EQ(folder.PercorsoImmagine("FUSS"), pictures + "fuß.jpg");
    EXPECT_EQ(folder.PercorsoImmagine("cane"), pictures + "Cane.JPG");
    EXPECT_EQ(folder.PercorsoImmagine("  X"), pictures + "x.gif");
    EXPECT_EQ(folder.PercorsoImmagine("Sole"), pictures + "SOLE.jpg"); // .jpg first
    // Folders and hidden files are no pictures.
    for (const char* none : {"CARTELLA", ".nascosto", "topo"})
        EXPECT_FALSE(folder.hasPicture(none)) << none;

    // Links are looked at when the catalogue is built: one whose target is missing gives nothing.
    ASSERT_TRUE(QFile::link(pictures + "Cane.JPG", pictures + "ape.gif"));
    ASSERT_TRUE(QFile::link(pictures + "manca.jpg", pictures + "rotto.jpg"));
    EXPECT_EQ(load(), (QStringList{"ape", "cane", "fuß", "gatto", "sole", "sole", "x"}));
    useList("ape\r\nrotto\r\n");
    EXPECT_EQ(load(), (QStringList{"ape", "rotto"}));
    EXPECT_EQ(std::pair(folder.hasPicture("ape"), folder.hasPicture("rotto")),
              std::pair(true, false));
}

// The teacher's own folder (none at first) counts as a change too; an own
// picture replaces the program's of the same word.
TEST_F(CatalogueTest, ThePictureFoldersAreIndexedAgainOnlyWhenOneChanges)
{
    addPictures({"cane.jpg", "gatto.gif"});
    const QString pictures = programPath("immagini");
    const QString own = env.env().writableTwin("immagini");
    // The words once `added` are made, after a reopening before them was seen to read no folder.
    const auto wordsAfter = [&](const QStringList& added) {
        for (const QString& settled : {pictures, own})
            if (QFileInfo::exists(settled))
                settle(settled);
        const QStringList before = load();
        events.clear();
        EXPECT_EQ(load(), before);
        EXPECT_TRUE(events.isEmpty()) << "a reopening reads no folder";
        for (const QString& picture : added)
            writeFile(picture, "");
        return load();
    };
    EXPECT_EQ(wordsAfter({pictures + "/sole.jpg"}), (QStringList{"CANE", "GATTO", "SOLE"}));
    EXPECT_EQ(wordsAfter({own + "/Sole.gif", own + "/mamma.jpg"}),
              (QStringList{"CANE", "GATTO", "MAMMA", "SOLE"}));
    EXPECT_EQ(folder.PercorsoImmagine("sole"), own + "/Sole.gif");
    state.CartellaImmagini.clear(); // a language naming no folder: no twin (the settings folder)
    EXPECT_EQ(cartelleImmagini(env.env(), state).own, QString());
}

} // namespace
