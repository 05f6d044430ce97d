// The speech-tag parser: any text parses; speed and pitch stay in their range;
// what is said is never empty and a text without a backslash is said and
// shown as it stands.
#include "core/platform/TextFiles.h"
#include "core/speech/SpeechTags.h"
#include "FuzzSupport.h"

using namespace ortolino;
using namespace ortolino::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString input = decodeText(bytesOf(data, size));
    const SpeechText text = parseSpeechTags(input);
    for (const SpokenPart& part : text.spoken) {
        check(part.tone.speed >= VoiceTone::kSpeedMin && part.tone.speed <= VoiceTone::kSpeedMax,
              "speed out of range");
        check(part.tone.pitch >= VoiceTone::kPitchMin && part.tone.pitch <= VoiceTone::kPitchMax,
              "pitch out of range");
        check(!part.text.isEmpty(), "an empty spoken part");
    }
    if (!input.contains(u'\\'))
        check(text.shown == input && text.spokenText() == input, "plain text changed", input);
    return 0;
}
