#include "core/app/ProgramState.h"
#include "core/config/WordListEditor.h"
#include "core/platform/TextFiles.h"
#include "core/words/WordCatalogue.h"

#include <gtest/gtest.h>

using namespace ortolino;

namespace {

QStringList fieldsOf(const QByteArray& bytes)
{
    QStringList words;
    for (const QString& field : campiListaParole(decodeText(bytes))) {
        if (!field.isEmpty())
            words << field;
    }
    return words;
}

TEST(WordListRoundTrip, WordsAListCanHoldReadBackEqualAndTheOthersAreLeftOut)
{
    const QStringList words = {
        "CANE",
        "GATTO, NERO", // a comma ended the field
        " APE",        // a leading blank was dropped
        "\"ORSO",      // cannot be held: a leading quote needs quotes around it
        "L'\"OCA\"",   // quotes inside an unquoted field stay
        QString::fromUtf8("CITTÀ"),
        QString::fromUtf8("Ã©"),        // Windows-1252 bytes that read as UTF-8
        QString(QChar(0xFEFF)) + "BOM", // cannot be held: read as a byte-order mark
        "A\nCAPO",                      // cannot be held
    };
    QStringList held;
    for (const QString& word : words) {
        if (parolaSalvabileInLista(word))
            held << word.toUpper();
    }
    EXPECT_EQ(held.size(), words.size() - 3);
    EXPECT_EQ(fieldsOf(testoListaParole(words)), held);
    // Alone, in Windows-1252, it would read back as "é".
    EXPECT_EQ(fieldsOf(testoListaParole({QString::fromUtf8("Ã©")})),
              QStringList{QString::fromUtf8("Ã©")});
    // A list that fits Windows-1252 is still written in it.
    EXPECT_EQ(testoListaParole({QString::fromUtf8("CITTÀ")}), "CITT\xC0\r\n");
}

// The length limit applies to the word as the child sees it.
TEST(WordAdmission, TheLengthIsMeasuredInTheCaseInForce)
{
    ProgramState s;
    s.MassimoLettere = 4;
    s.CarattereLettere = kMaiuscolo;
    EXPECT_FALSE(aggiungiParola(s, QString::fromUtf8("stoß"))); // STOSS: five letters
    EXPECT_TRUE(aggiungiParola(s, "casa"));
    s.CarattereLettere = kMinuscolo;
    EXPECT_TRUE(aggiungiParola(s, QString::fromUtf8("stoß")));
    EXPECT_EQ(s.NumeroParole, 2);
    EXPECT_EQ(s.ParoleDisponibili[1], "CASA");
    EXPECT_EQ(s.ParoleDisponibili[2], QString::fromUtf8("stoß"));
}

} // namespace
