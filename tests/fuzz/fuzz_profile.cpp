// The profile reader and writer: any file reads as a whole profile or not at
// all; what was read holds numbers in their ranges, and writing it and
// reading it back gives the same settings.
#include "core/app/Profile.h"
#include "core/app/ProgramState.h"
#include "core/speech/SpeechTags.h"
#include "FuzzSupport.h"

using namespace ortolino;
using namespace ortolino::fuzz;

namespace {

QString describe(const ProfileSettings& s)
{
    return QString::fromUtf8(testoProfilo(s).value_or("<cannot be stored>"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::optional<ProfileSettings> read = leggiTestoProfilo(bytesOf(data, size));
    if (!read)
        return 0;
    const ProfileSettings& s = *read;
    // The voice prefix of every spoken text is made of these: it must read as tags.
    const SpeechText spoken =
        parseSpeechTags(parametriVoce(s.VelocitaVoce, s.TonoVoce) + QLatin1String("ciao"));
    check(spoken.shown == QLatin1String("ciao"), "voice settings shown as text", spoken.shown);
    check(s.DimensioneFont >= kDimensioneFontMinima && s.DimensioneFont <= kDimensioneFontMassima,
          "font size out of range");

    // Only a list name with blanks at its end cannot be written, and the
    // reader never gives one.
    const std::optional<QByteArray> written = testoProfilo(s);
    check(written.has_value(), "a profile read cannot be written", describe(s));
    const std::optional<ProfileSettings> again = leggiTestoProfilo(*written);
    check(again.has_value(), "a written profile does not read", QString::fromUtf8(*written));
    check(s == *again, "profile round trip",
          describe(s) + QLatin1String("\n---\n") + describe(*again));
    return 0;
}
