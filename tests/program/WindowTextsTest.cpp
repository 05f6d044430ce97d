// The translator's checker (src/program/LanguageCheck) against the real
// windows finds each kind of fault; the shipped files themselves are checked by
// the language_check_* tests, and their texts on screen by JourneyTest.
#include "program/LanguageCheck.h"
#include "support/WindowFixture.h"

#include <gtest/gtest.h>
#include <QFile>

using namespace ortolino;
using namespace ortolino::test;

namespace {

using Kind = LanguageFinding::Kind;
using WindowTextsTest = WindowFixture;

TEST_F(WindowTextsTest, CheckerFindsEachKindOfFault)
{
    const auto languageFile = [&](const QString& name) {
        return env.env().programFile(QStringLiteral("lngortolino/") + name);
    };
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
        {"\"&Progress\"", "\"E&xtras\"", Kind::SharedAccessKey, "FormEserciziEseguiti",
         "mnuEsci.Caption"},
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
