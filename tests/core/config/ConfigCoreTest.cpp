#include "core/app/ProgramState.h"
#include "core/config/ConfigUsers.h"
#include "core/config/WordListEditor.h"
#include "core/platform/Environment.h"
#include "core/platform/TextFiles.h"
#include "core/words/WordCatalogue.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QDir>

using namespace ortolino;
using namespace ortolino::test;

namespace {

TEST(ConfigUsersTest, ANewUsersNameMustNameAProfileInsideTheUsersFolder)
{
    for (const QString& good : QStringList{" Anna Maria ", "_predefinito", "città", "a..b"})
        EXPECT_TRUE(nomeUtenteAccettabile(good)) << good.toStdString();
    // Blank, a folder, hidden, a control character, too long (in bytes).
    for (const QString& bad :
         QStringList{"   ", "a/b", "..", "a\tb", QString(245, 'x'), QString(123, QChar(0xE8))})
        EXPECT_FALSE(nomeUtenteAccettabile(bad)) << bad.toStdString();
}

class WordListEditorTest : public ::testing::Test
{
protected:
    WordListEditorTest()
    {
        state.CartellaImmagini = "immagini";
        state.CartellaListe = "liste";
        for (const char* name : {"cane.jpg", "Gatto.GIF", "sole.png", "farfalla.jpg"})
            test.writeProgramFile(QStringLiteral("immagini/") + name, "x");
    }

    TestEnvironment test{TestEnvironment::Data::Empty};
    ProgramState state;
};

// Loaded for the editor whole, whatever the length limit, so that a save loses no word.
TEST_F(WordListEditorTest, TheListInUseIsLoadedWholeAndWithoutOneThePicturesServe)
{
    test.writeProgramFile("liste/animali.txt", "cane\r\nvolpe\r\n\"cane\"\r\n");
    state.ListaInUso = test.env().programFile("liste/animali.txt");
    state.UsaTutteLeImmagini = false;
    state.CarattereLettere = kMinuscolo;
    state.MassimoLettere = 3;
    CaricaListaInUso(test.env(), state, nullptr);
    EXPECT_EQ(std::tuple(state.NumeroParole, state.ParoleDisponibili[2]), std::tuple(3, "volpe"));
    // The editor has every word of a list longer than the catalogue holds.
    QByteArray longList;
    for (int i = 0; i < kMassimoParole; ++i)
        longList += "parola" + QByteArray::number(i) + "\r\n";
    // FUSS, as a list once kept fuß, is that picture's word again.
    test.writeProgramFile("immagini/fuß.jpg", "x");
    test.writeProgramFile("liste/animali.txt", longList + "gatto\r\nFUSS\r\n");
    CaricaListaInUso(test.env(), state, nullptr); // as the editor opens
    const ParoleEditor editor =
        editorSullaLista(PictureFolder(cartelleImmagini(test.env(), state)), test.env(), state);
    EXPECT_EQ(std::tuple(editor.inLista.size(), editor.inLista.contains("GATTO"),
                         editor.inLista.contains("fuß"), editor.senzaImmagine.size(),
                         editor.disponibili),
              std::tuple(kMassimoParole + 2, true, true, kMassimoParole,
                         QStringList{"CANE", "FARFALLA"}));

    // A blank list: every picture word of the admitted length, and the profile keeps its list.
    state.ListaInUso = "  ";
    state.MassimoLettere = 4;
    CaricaListaInUso(test.env(), state, nullptr);
    EXPECT_EQ(std::tuple(state.TutteLeImmagini, state.UsaTutteLeImmagini, state.NumeroParole,
                         state.ParoleDisponibili[1]),
              std::tuple(true, false, 2, "cane")); // and fuß
}

// No longer than the longest-word setting, with a letter of the keyboard to blank.
TEST_F(WordListEditorTest, WordsTheUserWillNeverBeGivenAreTold)
{
    PreparaTastiera(state);
    state.MassimoLettere = 5;
    const QStringList fit = {"GATTO", "gatto", QString::fromUtf8("CITTÀ"), "RE 2"};
    const QStringList unfit = {"FARFALLA", "", QString::fromUtf8("ÈÀ"), "3 4"};
    for (const QString& word : fit)
        EXPECT_TRUE(parolaPerUtente(state, word)) << word.toStdString();
    for (const QString& word : unfit)
        EXPECT_FALSE(parolaPerUtente(state, word)) << word.toStdString();
}

// What the editor writes reads back equal; words a list cannot hold are refused
// when typed. Capitals with CR LF, in Windows-1252 when they fit it.
TEST_F(WordListEditorTest, ListFilesReadBackEqualAndTheOthersAreLeftOut)
{
    const auto fieldsOf = [](const QByteArray& bytes) {
        QStringList words = campiListaParole(decodeText(bytes));
        words.removeAll(QString());
        return words;
    };
    const QStringList words = {
        "CANE",
        "GATTO, NERO", // a comma ended the field
        " APE",        // a leading blank was dropped
        "ORSO ",       // quoted, or the blank after it would be dropped
        "\"ORSO",      // cannot be held: a leading quote needs quotes around it
        "L'\"OCA\"",   // quotes inside an unquoted field stay
        QString::fromUtf8("città"),
        QString::fromUtf8("Ã©"),        // Windows-1252 bytes that read as UTF-8
        QString(QChar(0xFEFF)) + "BOM", // cannot be held: read as a byte-order mark
        "A\nCAPO",                      // cannot be held
    };
    QStringList held;
    for (const QString& word : words)
        if (parolaSalvabileInLista(word))
            held << word.toUpper();
    EXPECT_EQ(held.size(), words.size() - 3);
    EXPECT_EQ(fieldsOf(testoListaParole(words)), held);
    // Alone, in Windows-1252, it would read back as "é".
    EXPECT_EQ(fieldsOf(testoListaParole({QString::fromUtf8("Ã©")})),
              QStringList{QString::fromUtf8("Ã©")});
    EXPECT_EQ(testoListaParole({"cane", "", "Città"}), QByteArray("CANE\r\nCITT\xC0\r\n"));
    EXPECT_EQ(testoListaParole({"łódź"}), QString::fromUtf8("ŁÓDŹ\r\n").toUtf8());
    EXPECT_EQ(testoListaParole({"Fuß"}), QByteArray("fu\xDF\r\n")); // not FUSS

    // A list of the program folder goes to its writable twin when that exists.
    const Environment& env = test.env();
    const QString path = env.programFile("liste/nuova.txt");
    QDir().mkpath(env.programFile("liste"));
    EXPECT_EQ(percorsoScritturaLista(env, "/altrove/lista.txt"), "/altrove/lista.txt");
    EXPECT_EQ(percorsoScritturaLista(env, path), path);
    writeFile(env.writableTwin("liste/animali.txt"), "CANE\r\n");
    EXPECT_EQ(percorsoScritturaLista(env, env.programFile("liste/animali.txt")),
              env.writableTwin("liste/animali.txt"));

    // The length limit applies to the word as the child sees it.
    state.MassimoLettere = 4;
    EXPECT_FALSE(aggiungiParola(state, QString::fromUtf8("stoß"))); // STOSS: five letters
    state.CarattereLettere = kMinuscolo;
    EXPECT_TRUE(aggiungiParola(state, QString::fromUtf8("stoß")));
    EXPECT_EQ(state.ParoleDisponibili[1], QString::fromUtf8("stoß"));
}

} // namespace
