#include "core/lang/Language.h"

#include "core/lang/IniFile.h"
#include "core/platform/TextFiles.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

using namespace ortolino;
using namespace ortolino::test;

namespace {

TEST(IniFileTest, FilesFollowTheIniRules)
{
    QTemporaryDir dir;
    // The value a file with these bytes gives for the key.
    const auto read = [&](const QByteArray& bytes, const char* section, const char* key) {
        writeFile(dir.filePath("a.ini"), bytes);
        return MLSReadIniString(dir.filePath("a.ini"), section, key).value_or("(error)");
    };
    const QByteArray file = "; comment\r\n[ Strings ]\r\n  0001  =  \"  ciao  \"  \r\n"
                            "0002=senza virgolette\r\n0003=\"solo una\r\n[strings]\r\n0004=secondo"
                            "\r\n[Altro]\r\n0005=x\r\n";
    EXPECT_EQ(read(file, "strings", "0001"), "  ciao  "); // section, key in any case, no quotes
    EXPECT_EQ(read(file, "STRINGS", "0002"), "senza virgolette");
    EXPECT_EQ(read(file, "Strings", "0003"), "\"solo una"); // one quote is not a pair
    EXPECT_EQ(read(file, "Strings", "0004"), "");           // only a name's first section counts
    EXPECT_EQ(read(file, "Strings", "0005"), "");           // other sections' keys are not seen
    EXPECT_EQ(read(file, "Nessuna", "0001"), "");
    EXPECT_EQ(read("[S]\r\nk=\"" + QByteArray(600, 'a') + "\"\r\n", "S", "k").size(), 511);
    EXPECT_EQ(read(*encodeWindows1252(QString::fromUtf8("[S]\r\nk=\"Già è così\"\r\n")), "S", "k"),
              QString::fromUtf8("Già è così"));
    EXPECT_EQ(read("\xEF\xBB\xBF[S]\nk=\"perché\"\n", "S", "k"), QString::fromUtf8("perché"));
    EXPECT_FALSE(MLSReadIniString(dir.filePath("missing.ini"), "S", "k").has_value());
}

// Every key the program asks for is in the Italian file (the others: language_check_*).
// Dates in the language's form, not the machine's. A missing data name or code
// reads empty (dates then ISO); a message falls back to the built-in Italian.
TEST(LanguageTest, EveryKeyDatesInTheLanguagesFormAndMissingPiecesGiveEmptyDataOrBuiltInTexts)
{
    TestEnvironment env;
    env.writeProgramFile("lngortolino/Bucata.lng", "[Strings]\r\n0001=\"Uno\"\r\n");
    Language language(env.env());
    language.CurrentLanguage = "Italiano";
    for (const char* key :
         {"0000", "0001", "0002", "0004", "0005", "0006", "0007", "0008", "0009", "0011", "0012",
          "0014", "0015", "0016", "0017", "0022", "0025", "0026", "0027", "0028", "0029", "0030",
          "0031", "0032", "0039", "0040", "0100", "0101", "0102", "0209", "0230", "0231", "0232",
          "0233", "0234", "0235", "0236", "0237", "0238", "0239", "0240", "0241", "0242", "0243",
          "0244", "0245", "0246", "9996", "9997", "9998", "9999"})
        EXPECT_FALSE(language.MLSGetString(key).isEmpty()) << key;
    const QString builtIn = language.MLSGetString("0201");
    for (const auto& [name, code, date, day] : {std::tuple{"Italiano", "it", "06/12/2026", "06/12"},
                                                {"English", "en", "12/6/2026", "12/6"},
                                                {"Bucata", "", "2026-12-06", "12-06"}}) {
        language.CurrentLanguage = name;
        EXPECT_EQ(language.code(), code) << name;
        EXPECT_EQ(std::pair(language.shortDate(QDate(2026, 12, 6)),
                            language.dayAndMonth(QDate(2026, 12, 6))),
                  std::pair(QString(date), QString(day)))
            << name;
    }
    language.CurrentLanguage = "English";
    EXPECT_EQ(language.MLSGetString("0100"), "pictures");
    EXPECT_EQ(language.MLSGetString("1234"), ""); // key missing

    for (const char* name : {"Bucata", "Mancante"}) {
        language.CurrentLanguage = name;
        EXPECT_EQ(language.MLSGetString("0201"), builtIn) << name;
        for (const char* key : {"0000", "0100", "0209", "0450", "0452"})
            EXPECT_EQ(language.MLSGetString(key), "") << name << key;
    }
    language.CurrentLanguage = "Bucata";
    EXPECT_EQ(language.MLSGetString("0001"), "Uno");
    for (const char* key : {"0039", "0233", "0311", "0402", "0451"}) // each range of messages
        EXPECT_FALSE(language.MLSGetString(key).isEmpty()) << key;
}

// Without its file a language leaves no word to give: nothing stored, a language gone or
// a name leaving the folder gives the desktop's language if installed, else Italian.
TEST(LanguageTest, WithoutAUsableChoiceTheDesktopsLanguageOrItalianServes)
{
    TestEnvironment env;
    for (const auto& [stored, desktop, read] :
         {std::tuple{"Deutsch", QStringList(), "Italiano"},
          {"../lngortolino/English", {}, "Italiano"},
          {"", {"de-DE", "EN-us"}, "English"}, // the first preference installed
          {"Italiano", {"en"}, "Italiano"}}) { // a choice stands
        Environment machine = env.env();
        machine.desktopLanguages = desktop;
        Language language(machine);
        ASSERT_TRUE(language.writeCurrentLanguageSetting(stored));
        language.readCurrentLanguageSetting();
        EXPECT_EQ(language.CurrentLanguage, read) << stored << desktop.join(',').toStdString();
    }
}

} // namespace
