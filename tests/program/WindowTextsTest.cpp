// The translator's checker against the real windows finds each kind of fault
// (the shipped files: language_check_*; their texts on screen: JourneyTest).
#include "core/platform/TextFiles.h"
#include "program/LanguageCheck.h"
#include "support/WindowFixture.h"

#include <gtest/gtest.h>

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
    const QByteArray english = readFileBytes(languageFile("English.lng")).value_or("");
    ASSERT_FALSE(english.isEmpty());
    // What is replaced, by what, and the finding that must follow.
    const std::tuple<const char*, const char*, Kind, const char*, const char*> faults[] = {
        {"0233=\"This is my voice.", "; 0233=\"", Kind::MissingKey, "Strings", "0233"},
        {"mnuLanguages.Caption=", "; mnuLanguages=", Kind::ControlWithoutText, "FormMenu",
         "mnuLanguages.Caption"},
        {"Command1.Caption=\"&Start\"", "Command9.Caption=\"&Start\"", Kind::UnknownControl,
         "FormAvvio", "Command9.Caption"},
        {"\"&Progress\"", "\"E&xtras\"", Kind::SharedAccessKey, "FormEserciziEseguiti",
         "mnuEsci.Caption"},
        {"\"Try the voice\"", "\"Prova voce\"", Kind::SameAsReference, "FormConfigura",
         "CommandProvaVoce.Caption"},
        {"0000=\"1033\"", "0000=\"1040\"", Kind::SameAsReference, "Strings", "0000"},
        {"0000=\"1033\"", "0000=\"0\"", Kind::UnknownVoice, "Strings", "0000"},
    };
    for (const auto& [replace, with, kind, section, key] : faults) {
        QByteArray broken = english;
        ASSERT_TRUE(broken.contains(replace)) << replace;
        broken.replace(replace, with);
        const QString path = env.root() + "/Broken.lng";
        writeFile(path, broken);
        const QList<LanguageFinding> findings =
            checkLanguageFile(path, languageFile("Italiano.lng"), windows);
        const bool found = std::any_of(findings.begin(), findings.end(), [&](const auto& f) {
            return f.kind == kind && f.section == section && f.key == key;
        });
        EXPECT_TRUE(found) << section << ' ' << key;
        EXPECT_EQ(kind == Kind::SameAsReference,
                  std::none_of(findings.begin(), findings.end(),
                               [](const auto& f) { return f.isError(); }))
            << key;
    }
}

} // namespace
