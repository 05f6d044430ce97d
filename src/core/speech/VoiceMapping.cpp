#include "core/speech/VoiceMapping.h"

#include "core/speech/SpeechTags.h"

#include <algorithm>
#include <cmath>
#include <QtMath>

namespace ortolino {

int espeakRateForSpeed(int speed)
{
    const int clamped = std::clamp(speed, VoiceTone::kSpeedMin, VoiceTone::kSpeedMax);
    return 80 + (clamped - VoiceTone::kSpeedMin) * 9 / 10;
}

int espeakPitchForPitch(int pitch)
{
    const int clamped = std::clamp(pitch, VoiceTone::kPitchMin, VoiceTone::kPitchMax);
    const double octaves = std::log2(clamped / double(VoiceTone::kPitchDefault));
    return std::clamp(qRound(50.0 + 25.0 * octaves), 0, 100);
}

QString espeakLanguageForId(int languageId)
{
    struct Entry
    {
        int id;
        const char* language;
    };
    static constexpr Entry kLanguages[] = {
        {1040, "it"},    {2064, "it"}, // Italian (Italy, Switzerland)
        {1033, "en-us"}, {2057, "en"}, // English (United States, United Kingdom)
        {1031, "de"},    {2055, "de"}, // German (Germany, Switzerland)
        {1036, "fr"},    {4108, "fr"}, // French (France, Switzerland)
        {1034, "es"},    {3082, "es"}, // Spanish (traditional, modern sort)
        {2070, "pt"},    {1046, "pt-br"}, {1043, "nl"}, {1045, "pl"}, {1049, "ru"},
    };
    for (const Entry& entry : kLanguages) {
        if (entry.id == languageId)
            return QString::fromLatin1(entry.language);
    }
    return {};
}

QString voiceNameFromId(const QString& voiceId)
{
    const QString trimmed = voiceId.trimmed();
    if (trimmed.size() < 3 || !trimmed.startsWith(u'{') || !trimmed.endsWith(u'}'))
        return {};
    return trimmed.mid(1, trimmed.size() - 2).trimmed();
}

QString voiceIdForName(const QString& name)
{
    return QLatin1Char('{') + name + QLatin1Char('}');
}

} // namespace ortolino
