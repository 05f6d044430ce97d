// The language files against the real windows, through the translator's
// checker (src/program/LanguageCheck): every shipped language has every text,
// every key names a control, and the checker itself finds each kind of fault.
#include "core/app/Program.h"
#include "gui/widgets/WindowManager.h"
#include "program/LanguageCheck.h"
#include "program/Windows.h"
#include "support/Doubles.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

using namespace ortolino;
using namespace ortolino::test;

namespace {

using Kind = LanguageFinding::Kind;

class WindowTextsTest : public ::testing::Test
{
protected:
    WindowTextsTest() { registerWindows(windows); }

    QString languageFile(const QString& name) const
    {
        return env.env().programFile(QStringLiteral("lngortolino/") + name);
    }

    TestEnvironment env;
    TestServices seams;
    Program program{env.env(), seams.services()};
    WindowManager windows{program};
};

// Texts that are the same in Italian and English: names, and words both
// languages share.
const QStringList kSameInBothLanguages = {
    "[FormAvvio] FormAvvio.Caption",
    "[FormAvvio] Label1.Caption",
    "[FormMenu] FormMenu.Caption",
    "[FormConfigura] mnuEsci.Caption",
    "[FormConfigura] CommandSceltaFont.Caption",
    "[FormMenu] mnuInformazioni.Caption",
    "[lettere] BottoneMenu.Caption",
};

TEST_F(WindowTextsTest, ShippedLanguagesHaveEveryTextOfEveryWindow)
{
    const QStringList languages =
        QDir(languageFile(QString())).entryList({QStringLiteral("*.lng")}, QDir::Files);
    ASSERT_GE(languages.size(), 2);
    for (const QString& language : languages) {
        for (const LanguageFinding& finding :
             checkLanguageFile(languageFile(language), languageFile("Italiano.lng"), windows)) {
            const QString where = QLatin1Char('[') + finding.section + "] " + finding.key;
            EXPECT_TRUE(!finding.isError() && kSameInBothLanguages.contains(where))
                << language.toStdString() << ": " << finding.describe().toStdString();
        }
    }
}

TEST_F(WindowTextsTest, CheckerFindsEachKindOfFault)
{
    QFile shipped(languageFile("English.lng"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    const QByteArray english = shipped.readAll();
    const struct
    {
        const char* replace;
        const char* with;
        Kind kind;
        const char* section;
        const char* key;
    } faults[] = {
        {"0233=\"This is my voice.", "; 0233=\"", Kind::MissingKey, "Strings", "0233"},
        {"mnuLanguages.Caption=", "; mnuLanguages=", Kind::ControlWithoutText, "FormMenu",
         "mnuLanguages.Caption"},
        {"Command1.Caption=\"&Start\"", "Command9.Caption=\"&Start\"", Kind::UnknownControl,
         "FormAvvio", "Command9.Caption"},
        {"\"Try the voice\"", "\"Prova voce\"", Kind::SameAsReference, "FormConfigura",
         "CommandProvaVoce.Caption"},
    };
    for (const auto& fault : faults) {
        QByteArray broken = english;
        ASSERT_TRUE(broken.contains(fault.replace)) << fault.replace;
        broken.replace(fault.replace, fault.with);
        const QString path = env.root() + "/Broken.lng";
        writeFile(path, broken);
        const QList<LanguageFinding> findings =
            checkLanguageFile(path, languageFile("Italiano.lng"), windows);
        const bool found = std::any_of(findings.begin(), findings.end(), [&](const auto& f) {
            return f.kind == fault.kind && f.section == fault.section && f.key == fault.key;
        });
        EXPECT_TRUE(found) << fault.section << ' ' << fault.key;
        EXPECT_EQ(fault.kind == Kind::SameAsReference,
                  std::none_of(findings.begin(), findings.end(),
                               [](const auto& f) { return f.isError(); }))
            << fault.key;
    }
}

} // namespace
