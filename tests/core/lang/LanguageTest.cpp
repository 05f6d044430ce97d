#include "core/lang/Language.h"

#include "core/lang/IniFile.h"
#include "core/platform/TextFiles.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace ortolino;
using namespace ortolino::test;

namespace {

class IniFileTest : public ::testing::Test
{
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    // The value a file with these bytes gives for the key.
    QString read(const QByteArray& bytes, const char* section, const char* key) const
    {
        writeFile(path("a.ini"), bytes);
        return MLSReadIniString(path("a.ini"), section, key).value_or("(error)");
    }
    QTemporaryDir dir;
};

// A file of exactly `size` bytes: Label1 in two sections, a Strings key, a comment.
QByteArray fileOfSize(qsizetype size)
{
    const QByteArray head = "[FormMenu]\r\nLabel1.Caption=\"menu\"\r\n[Strings]\r\n0001=\"uno\""
                            "\r\n[lettere]\r\nLabel1.Caption=\"lettere\"\r\n;";
    return head + QByteArray(size - head.size() - 2, 'x') + "\r\n";
}

// Files up to 64,000 bytes follow the INI rules; above, the first matching line wins.
TEST_F(IniFileTest, SmallFilesFollowTheIniRulesAndLargerOnesTheFirstMatchingLine)
{
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
    EXPECT_FALSE(MLSReadIniString(path("missing.ini"), "S", "k").has_value());

    EXPECT_EQ(read(fileOfSize(64000), "lettere", "Label1.Caption"), "lettere");
    ASSERT_EQ(QFile(path("a.ini")).size(), 64000);
    const QByteArray above = fileOfSize(64001);
    // The scan ignores sections: the first Label1.Caption of the file wins.
    EXPECT_EQ(read(above, "lettere", "Label1.Caption"), "menu");
    EXPECT_EQ(read(above, "Strings", "0001"), "uno");
}

TEST_F(IniFileTest, WritingCreatesReplacesAndKeepsTheRest)
{
    const QString file = path("LangSetting.ini");
    EXPECT_NE(MLSWriteIniString(file, "Language", "CurrentLanguage", "English"), 0);
    EXPECT_EQ(MLSReadIniString(file, "Language", "CurrentLanguage").value(), "English");

    writeFile(file, "[Other]\r\nx=1\r\n\r\n[language]\r\ncurrentlanguage=Italiano\r\ny=2\r\n");
    EXPECT_NE(MLSWriteIniString(file, "Language", "CurrentLanguage", "B"), 0);
    EXPECT_NE(MLSWriteIniString(file, "Other", "z", "3"), 0);
    for (const auto& [section, key, value] : {std::tuple{"Language", "CurrentLanguage", "B"},
                                              {"Language", "y", "2"},
                                              {"Other", "x", "1"},
                                              {"Other", "z", "3"}})
        EXPECT_EQ(MLSReadIniString(file, section, key).value(), value) << key;

    EXPECT_EQ(MLSWriteIniString(path("no/such/folder.ini"), "S", "k", "v"), 0);

    // A file too large to be a settings file, or a folder, is neither read nor replaced.
    const QByteArray large =
        "[Strings]\r\n0001=\"uno\"\r\n;" + QByteArray(kIniDimensioneMassima, 'x') + "\r\n";
    EXPECT_EQ(read(large, "Strings", "0001"), "(error)");
    EXPECT_EQ(MLSWriteIniString(path("a.ini"), "Strings", "0001", "x"), 0);
    EXPECT_EQ(readFileBytes(path("a.ini"), 2 * kIniDimensioneMassima), large);
    QDir().mkdir(path("folder.ini"));
    EXPECT_EQ(MLSWriteIniString(path("folder.ini"), "S", "k", "v"), 0);
    EXPECT_TRUE(QFileInfo(path("folder.ini")).isDir());
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

// Stored beside the languages and read back is the menu window's test.
TEST(LanguageTest, AReadOnlyProgramFolderStoresTheChoiceInTheSettingsTwin)
{
    TestEnvironment env;
    const QString folder = env.env().programFile("lngortolino");
    Language language(env.env()), next(env.env());
    QFile::remove(folder + "/LangSetting.ini");
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    if (QFileInfo(folder).isWritable()) { // root writes any folder
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "run as an ordinary user: this user writes read-only folders";
    }
    ASSERT_TRUE(language.writeCurrentLanguageSetting("English"));
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(QFile::exists(env.env().writableTwin("lngortolino/LangSetting.ini")));
    EXPECT_FALSE(QFile::exists(folder + "/LangSetting.ini"));
    next.readCurrentLanguageSetting();
    EXPECT_EQ(next.CurrentLanguage, "English");
}

// Without its file a language leaves no word to give: nothing stored, a language gone or
// a name leaving the folder gives the desktop's language if installed, else Italian, else another.
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
    Language language(env.env());
    QFile::remove(env.env().programFile("lngortolino/Italiano.lng"));
    ASSERT_TRUE(language.writeCurrentLanguageSetting("Deutsch"));
    language.readCurrentLanguageSetting();
    EXPECT_EQ(language.CurrentLanguage, "English");
}

} // namespace
