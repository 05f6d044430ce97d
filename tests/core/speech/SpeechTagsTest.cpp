#include "core/speech/SpeechTags.h"

#include "core/speech/VoiceMapping.h"

#include <gtest/gtest.h>

using namespace ortolino;

namespace {

SpokenPart part(const char* text, int speed = 130, int pitch = 100)
{
    return {QString::fromUtf8(text), VoiceTone{speed, pitch}};
}

// Each text starts from the default tone; values are brought into range; a
// change inside a text starts a part; a map says one text and shows another.
TEST(SpeechTags, TonePrefixesChangesAndMapsGiveTheSpokenAndShownParts)
{
    const std::tuple<const char*, QList<SpokenPart>, const char*> cases[] = {
        {"\\Spd=200\\\\Pit=300\\Ciao bambini", {part("Ciao bambini", 200, 300)}, "Ciao bambini"},
        {"\\spd=90\\a", {part("a", 90)}, "a"},
        {"\\Spd=10\\\\Pit=9999\\x", {part("x", 50, 400)}, "x"},
        {"\\Spd=900\\\\Pit=0\\x", {part("x", 250, 50)}, "x"},
        {"uno \\Spd=200\\due \\Spd=200\\tre", {part("uno "), part("due tre", 200)}, "uno due tre"},
        // The first help: the voice says the words, the balloon stays empty.
        {"\\Spd=130\\\\Pit=100\\\\Map=\"Devi scrivere \"=\"\"\\", {part("Devi scrivere ")}, ""},
        {"Scrivi \\Map=\"cane\"=\"C A N E\"\\ adesso",
         {part("Scrivi cane adesso")},
         "Scrivi C A N E adesso"},
        {"\\Map=\"\"=\"guarda\"\\", {}, "guarda"},
    };
    for (const auto& [text, spoken, shown] : cases) {
        const SpeechText t = parseSpeechTags(QString::fromUtf8(text));
        EXPECT_EQ(t.spoken, spoken) << text;
        EXPECT_EQ(t.shown, shown) << text;
    }
}

TEST(SpeechTags, BackslashesAndBrokenTagsAreSaidAndShownAsText)
{
    // A path, an unknown tag, numbers missing, unended or not whole, maps unended.
    for (const QString& text :
         {QStringLiteral("C:\\cartella\\file"), QStringLiteral("\\Vol=5\\parole"),
          QStringLiteral("\\Pit=-5\\x"), QStringLiteral("\\Spd=12"), QStringLiteral("\\Spd=1e3\\x"),
          QStringLiteral("\\Map=\"x\"\\"), QStringLiteral("\\Map=\"senza fine"),
          QStringLiteral("\\Map=\"a\"=\"b\"")}) {
        const SpeechText t = parseSpeechTags(text);
        EXPECT_EQ(t.shown, text);
        EXPECT_EQ(t.spokenText(), text);
    }
    // A broken tag does not swallow a good one after it.
    EXPECT_EQ(parseSpeechTags("\\Spd=\\Pit=200\\x").spoken,
              (QList<SpokenPart>{part("\\Spd="), part("x", 130, 200)}));
}

// Languages by id and voice ids made from names: the scan voice's and the window's tests.
TEST(VoiceMapping, SpeedAndPitchStayInsideWhatEspeakNgSaysClearly)
{
    for (const auto& [speed, rate] : {std::pair{50, 80}, {130, 152}, {250, 260}, {-4, 80}})
        EXPECT_EQ(espeakRateForSpeed(speed), rate) << speed;
    for (const auto& [pitch, espeak] :
         {std::pair{50, 25}, {100, 50}, {200, 75}, {400, 100}, {100000, 100}})
        EXPECT_EQ(espeakPitchForPitch(pitch), espeak) << pitch;
    for (int v = 51; v <= 400; ++v) {
        EXPECT_GE(espeakRateForSpeed(v), espeakRateForSpeed(v - 1));
        EXPECT_GE(espeakPitchForPitch(v), espeakPitchForPitch(v - 1));
    }
    for (const auto& [id, name] :
         {std::pair{" {it} ", "it"}, {"{en-US+f3}", "en-US+f3"}, {"it", ""}, {"{}", ""}})
        EXPECT_EQ(voiceNameFromId(id), name) << id;
}

} // namespace
