#include "core/app/Profile.h"

#include "core/app/ProgramState.h"
#include "core/platform/TextFiles.h"
#include "core/speech/SpeechTags.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <string>

using namespace ortolino;
using namespace ortolino::test;

namespace {

class ProfileTest : public ::testing::Test
{
protected:
    ProfileTest()
    {
        state.CartellaListe = QStringLiteral("liste");
        state.ListaPredefinita = QStringLiteral("predefinita.txt");
        QDir().mkpath(env.env().cartellaUtenti());
        state.PercorsoProfilo = env.env().cartellaUtenti() + QLatin1String("mario.ini");
        ImpostaValoriPredefiniti(state, percorsoListaPredefinita(env.env(), state));
    }

    QByteArray savedBytes() { return readFileBytes(state.PercorsoProfilo).value_or("<none>"); }

    QStringList savedLines()
    {
        QStringList lines = QString::fromUtf8(savedBytes()).split(QStringLiteral("\r\n"));
        EXPECT_EQ(lines.takeLast(), QString()); // ends with CR LF
        return lines;
    }

    static QByteArray joined(const QStringList& lines)
    {
        return (lines.join("\r\n") + "\r\n").toUtf8();
    }
    void writeLines(const QStringList& lines) { writeFile(state.PercorsoProfilo, joined(lines)); }
    // The profile file at `path` read into `read` (a fresh state by default).
    ProgramState readBack(const QString& path, ProgramState read = {})
    {
        read.PercorsoProfilo = path;
        lastRead = LeggiProfilo(read, path, percorsoListaPredefinita(env.env(), read));
        return read;
    }
    LetturaProfilo lastRead = LetturaProfilo::Assente; // what readBack found

    TestEnvironment env{TestEnvironment::Data::Empty};
    ProgramState state;
};

// A profile with every line away from its default: every third key active.
QStringList nonDefaultLines()
{
    QStringList lines;
    for (int key = 0; key < kNumeroTasti; ++key)
        lines << (key % 3 == 0 ? "True" : "False");
    return lines + QStringList{"corsivo",      " 13 ",    "/home/maestra/liste/animali.txt",
                               "False",        "False",   " 200 ",
                               " 350 ",        "False",   "True",
                               "Tratto1",      "Verdana", " 36 ",
                               " 255 ",        " 65280 ", " 12632256 ",
                               "False",        "True",    "True",
                               " 2 ",          " 60 ",    "True",
                               "True",         " 30 ",    " 16711680 ",
                               "-2147483635 ", "Peedy",   "{it}"};
}

// The 53-line form older releases read and write (numbers with a blank for their
// sign and one after): every field set otherwise is read and written back to the letter.
TEST_F(ProfileTest, EveryFieldSurvivesARoundTripInTheFiftyThreeLineForm)
{
    const QStringList set = nonDefaultLines();
    writeLines(set);
    const ProgramState read = readBack(state.PercorsoProfilo);
    ASSERT_EQ(lastRead, LetturaProfilo::Letto);
    QFile::remove(state.PercorsoProfilo);
    ASSERT_TRUE(SalvaProfilo(read, read.PercorsoProfilo));
    EXPECT_EQ(savedLines(), set);
}

TEST_F(ProfileTest, ShortMissingOrGarbageFilesGiveEveryDefault)
{
    const QStringList lines = nonDefaultLines();
    auto readsAsDefaults = [&](const QByteArray& bytes) {
        writeLines(lines);
        const ProgramState before = readBack(state.PercorsoProfilo, state); // none a default
        writeFile(state.PercorsoProfilo, bytes);
        const ProgramState read = readBack(state.PercorsoProfilo, before);
        return lastRead == LetturaProfilo::Illeggibile && read.MassimoLettere == 5 &&
               read.CarattereLettere == kMaiuscolo && read.NomeAgente == "Merlin" &&
               read.ModalitaInput == 0 && read.LettereAttive[2] && !read.LettereAttive[0] &&
               read.ListaInUso == env.env().programFolder + "/liste/predefinita.txt";
    };
    EXPECT_TRUE(readsAsDefaults(joined(lines.mid(0, 52))));
    EXPECT_TRUE(readsAsDefaults(QByteArray("\x00\xff\xfe\x01garbage\x00\r\n\x80", 15)));

    QFile::remove(state.PercorsoProfilo);
    ProgramState session;
    session.NomeUtente = QStringLiteral("mario");
    session.Registro[0][0] = QStringLiteral("LETTERA INIZIALE");
    session.MassimoLettere = 13;
    const ProgramState missing = readBack(state.PercorsoProfilo, session);
    // The defaults are the profile's only: the user and the session's log stay.
    EXPECT_EQ(
        std::tuple(lastRead, missing.MassimoLettere, missing.NomeUtente, missing.Registro[0][0]),
        std::tuple(LetturaProfilo::Assente, 5, "mario", "LETTERA INIZIALE"));
}

// In every text field, no line shifted; a refused text writes over no file.
TEST_F(ProfileTest, TextsReadBackEqualOrAreRefusedWhole)
{
    const std::pair<QString, bool> texts[] = {
        {QString::fromUtf8("/home/maestra/Città, 1A/perché.txt"), true}, // a comma ended the field
        {" Comic Sans MS", true},   // a leading blank was dropped
        {"\"virgolette", false},    // a leading quote would open a quoted field
        {"Arial \"Narrow\"", true}, // quotes inside an unquoted field stay
        {"", true},
        {"riga\nspezzata", false},
        {"riga\rspezzata", false},
        {QString(QChar(0xD800)), false},
    };
    writeFile(state.PercorsoProfilo, "old");
    for (QString ProfileSettings::*field :
         {&ProfileSettings::ListaInUso, &ProfileSettings::NomeFont,
          &ProfileSettings::NomeFontScelto, &ProfileSettings::NomeAgente,
          &ProfileSettings::ModoVoce})
        for (const auto& [text, held] : texts) {
            SCOPED_TRACE(text.toStdString());
            ProfileSettings s;
            s.*field = text;
            const std::optional<QByteArray> bytes = testoProfilo(s);
            ASSERT_EQ(bytes.has_value(), held);
            if (!held) {
                EXPECT_FALSE(SalvaProfilo(s, state.PercorsoProfilo));
                continue;
            }
            const std::optional<ProfileSettings> back = leggiTestoProfilo(*bytes);
            ASSERT_TRUE(back);
            EXPECT_EQ((*back).*field, text);
            EXPECT_EQ(back->ModoVoce, s.ModoVoce); // no line shifted
        }
    EXPECT_EQ(savedBytes(), "old");
    // The reader drops the blanks at the end of a list's name: such a path is
    // refused when chosen, a font name keeps them.
    EXPECT_FALSE(percorsoListaSalvabile("/liste/animali.txt "));
    EXPECT_TRUE(testoSalvabileNelProfilo("Arial "));
}

// Each line by its own rules, a Windows profile in code page 1252; numbers brought into
// range or the file unreadable (as a line missing); colours that name none the default.
TEST_F(ProfileTest, EachLineIsReadByItsOwnRules)
{
    ASSERT_TRUE(SalvaProfilo(state, state.PercorsoProfilo));
    const QStringList good = savedLines();
    const auto readWith = [&](int line, const char* value) {
        QStringList changed = good;
        changed[line] = QString::fromLatin1(value);
        writeLines(changed);
        return readBack(state.PercorsoProfilo);
    };
    QStringList lines = good;
    lines[0] = "true";                          // lower case is not "True"
    lines[1] = "Tak";                           // any leading capital T is
    lines[26] = "MAIUSCOLO";                    // the case test is exact
    lines[28] = " /scuola/liste/frutta.txt   "; // blanks around the path
    lines[35] = "\"Comic Sans MS, grassetto\""; // a quoted field keeps its comma
    lines[36] = "Liberation Sans, Bold";        // an unquoted one stops at it
    writeLines(lines);
    ProgramState read = readBack(state.PercorsoProfilo);
    EXPECT_EQ(std::tuple(read.LettereAttive[0], read.LettereAttive[1], read.CarattereLettere,
                         read.ListaInUso, read.NomeFont, read.NomeFontScelto),
              std::tuple(false, true, kCorsivo, QString("/scuola/liste/frutta.txt"),
                         QString("Comic Sans MS, grassetto"), QString("Liberation Sans")));
    lines[28] = "C:\\Programmi\\Ortolino\\liste\\città.txt";
    lines[51] = "Pinò";
    writeFile(state.PercorsoProfilo, *encodeWindows1252(lines.join("\r\n") + "\r\n"));
    read = readBack(state.PercorsoProfilo);
    EXPECT_EQ(std::tuple(read.ListaInUso, read.NomeAgente), std::tuple(lines[28], lines[51]));

    const std::tuple<int, const char*, int ProfileSettings::*, int> cases[] = {
        {31, "-1 ", &ProfileSettings::VelocitaVoce, VoiceTone::kSpeedMin},
        {31, " 9999 ", &ProfileSettings::VelocitaVoce, VoiceTone::kSpeedMax},
        {32, " 0 ", &ProfileSettings::TonoVoce, VoiceTone::kPitchMin},
        {37, "-28 ", &ProfileSettings::DimensioneFont, kDimensioneFontMinima},
        {45, " 1 ", &ProfileSettings::VelocitaScansione, kVelocitaScansioneMinima}};
    for (const auto& [line, value, field, expected] : cases)
        EXPECT_EQ(readWith(line, value).*(field), expected) << value;
    for (const char* value : {"nan", " 1e300 ", "veloce"}) {
        readWith(31, value);
        EXPECT_EQ(lastRead, LetturaProfilo::Illeggibile) << value;
    }
    for (const char* value : {" 16777216 ", "-5 ", " 1e300 ", " 12.5 "}) {
        EXPECT_EQ(readWith(38, value).ColoreFont, 0) << value; // the default
        EXPECT_EQ(lastRead, LetturaProfilo::Letto) << value;
    }
}

} // namespace
