#include "core/app/Profile.h"
#include "core/app/ProgramState.h"
#include "core/speech/SpeechTags.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

using namespace ortolino;
using namespace ortolino::test;

namespace {

// Positions (from 0) of some lines of a profile.
constexpr int kLineaVelocitaVoce = 31;
constexpr int kLineaTonoVoce = 32;
constexpr int kLineaDimensioneFont = 37;
constexpr int kLineaColoreFont = 38;
constexpr int kLineaVelocitaScansione = 45;

ProfileSettings defaults()
{
    return ProfileSettings{};
}

QStringList linesOf(const ProfileSettings& s)
{
    QStringList lines = QString::fromUtf8(testoProfilo(s).value()).split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

std::optional<ProfileSettings> readLines(const QStringList& lines)
{
    return leggiTestoProfilo((lines.join(QStringLiteral("\r\n")) + "\r\n").toUtf8());
}

// The text fields, for table-driven cases.
const std::array<QString ProfileSettings::*, 5> kTextFields = {
    &ProfileSettings::ListaInUso, &ProfileSettings::NomeFont, &ProfileSettings::NomeFontScelto,
    &ProfileSettings::NomeAgente, &ProfileSettings::ModoVoce};

TEST(ProfileRoundTrip, EveryTextTheLineReaderCanHoldReadsBackEqualInEveryField)
{
    const QStringList texts = {
        "/home/maestra/Scuola, classe 1A/animali.txt", // a comma ended the field
        " Comic Sans MS",                              // a leading blank was dropped
        "\"virgolette",                                // a leading quote opened a quoted field
        "Arial \"Narrow\"",                            // quotes inside an unquoted field stay
        "Tratto1",
        QString::fromUtf8("Città, perché"),
        "",
    };
    for (QString ProfileSettings::*field : kTextFields) {
        for (const QString& text : texts) {
            if (field == &ProfileSettings::ListaInUso ? !percorsoListaSalvabile(text)
                                                      : !testoSalvabileNelProfilo(text))
                continue;
            SCOPED_TRACE(text.toStdString());
            ProfileSettings s = defaults();
            s.*field = text;
            const std::optional<ProfileSettings> back = leggiTestoProfilo(testoProfilo(s).value());
            ASSERT_TRUE(back);
            EXPECT_EQ((*back).*field, text);
            EXPECT_EQ(back->MassimoLettere, s.MassimoLettere); // no line shifted
            EXPECT_EQ(back->ModoVoce, s.ModoVoce);
        }
    }
}

TEST(ProfileRoundTrip, TextsNoLineCanHoldAreRefusedAndNothingIsWritten)
{
    TestEnvironment env(TestEnvironment::Data::Empty);
    QDir().mkpath(env.env().cartellaUtenti());
    const QStringList refused = {"riga\nspezzata", "riga\rspezzata", "\"a, b\" e \"c\"",
                                 QString(QChar(0xD800))};
    for (QString ProfileSettings::*field : kTextFields) {
        for (const QString& text : refused) {
            ProfileSettings s = defaults();
            const QString path = env.env().profiloPredefinito();
            writeFile(path, "old");
            s.*field = text;
            EXPECT_EQ(testoProfilo(s), std::nullopt);
            EXPECT_FALSE(SalvaProfilo(s, path));
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll(), "old");
        }
    }
    // The reader drops the blanks at the end of a list's name: such a path is
    // refused when chosen, a font name keeps them.
    EXPECT_FALSE(percorsoListaSalvabile("/liste/animali.txt "));
    EXPECT_TRUE(testoSalvabileNelProfilo("Arial "));
    EXPECT_TRUE(percorsoListaSalvabile("/liste/animali, pesci.txt"));
}

// Numbers are read whole, brought into their ranges, and never cast from a
// value an int cannot hold; colours that name none take their defaults.
TEST(ProfileRoundTrip, NumbersAreCheckedAndClamped)
{
    const QStringList good = linesOf(defaults());
    struct Case
    {
        int line;
        const char* value;
        bool readable;
        int ProfileSettings::*field;
        int expected;
    };
    const Case cases[] = {
        {kLineaVelocitaVoce, "-1 ", true, &ProfileSettings::VelocitaVoce, VoiceTone::kSpeedMin},
        {kLineaVelocitaVoce, " 9999 ", true, &ProfileSettings::VelocitaVoce, VoiceTone::kSpeedMax},
        {kLineaTonoVoce, " 0 ", true, &ProfileSettings::TonoVoce, VoiceTone::kPitchMin},
        {kLineaDimensioneFont, "-28 ", true, &ProfileSettings::DimensioneFont,
         kDimensioneFontMinima},
        {kLineaVelocitaScansione, " 1 ", true, &ProfileSettings::VelocitaScansione,
         kVelocitaScansioneMinima},
        {kLineaVelocitaVoce, "nan", false, nullptr, 0},
        {kLineaVelocitaVoce, "inf", false, nullptr, 0},
        {kLineaVelocitaVoce, " 1e300 ", false, nullptr, 0},
        {kLineaVelocitaVoce, "veloce", false, nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        QStringList lines = good;
        lines[c.line] = QString::fromLatin1(c.value);
        const std::optional<ProfileSettings> read = readLines(lines);
        ASSERT_EQ(read.has_value(), c.readable);
        if (!read)
            continue;
        EXPECT_EQ((*read).*(c.field), c.expected);
        // What the voice prefix makes of them is read as tags, never shown.
        EXPECT_EQ(parseSpeechTags(parametriVoce(read->VelocitaVoce, read->TonoVoce) + "ciao").shown,
                  "ciao");
    }

    const std::pair<const char*, double> colours[] = {
        {" 255 ", 255},
        {" 16777215 ", 16777215},
        {"-2147483633 ", -2147483633.0},
        {" 16777216 ", 0},
        {"-5 ", 0},
        {" 1e300 ", 0},
        {" 12.5 ", 0},
    };
    for (const auto& [value, expected] : colours) {
        SCOPED_TRACE(value);
        QStringList lines = good;
        lines[kLineaColoreFont] = QString::fromLatin1(value);
        const std::optional<ProfileSettings> read = readLines(lines);
        ASSERT_TRUE(read);
        EXPECT_EQ(read->ColoreFont, expected);
    }
}

} // namespace
