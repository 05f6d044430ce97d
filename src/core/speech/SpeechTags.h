#pragma once

#include <QList>
#include <QString>

namespace ortolino {

// Speech speed and pitch as the speech tags give them: "\Spd=n\" (the speaking
// rate, 50..250, default 130) and "\Pit=n\" (the pitch, 50..400, default 100).
struct VoiceTone
{
    static constexpr int kSpeedMin = 50;
    static constexpr int kSpeedMax = 250;
    static constexpr int kSpeedDefault = 130;
    static constexpr int kPitchMin = 50;
    static constexpr int kPitchMax = 400;
    static constexpr int kPitchDefault = 100;

    int speed = kSpeedDefault;
    int pitch = kPitchDefault;

    friend bool operator==(const VoiceTone&, const VoiceTone&) = default;
};

// A stretch of text spoken with one speed and pitch.
struct SpokenPart
{
    QString text;
    VoiceTone tone;

    friend bool operator==(const SpokenPart&, const SpokenPart&) = default;
};

// A text to speak, split into what is said and what the balloon shows.
struct SpeechText
{
    QList<SpokenPart> spoken; // in order; neighbours with the same tone are merged
    QString shown;            // the balloon text

    // The words said, without tone changes (for estimates and tests).
    QString spokenText() const;
};

// Reads the speech tags of a text. Every text starts at the default tone; a
// "\Spd=n\" or "\Pit=n\" tag changes it from there on (values outside the
// range are brought into it); "\Map="spoken"="shown"\" says one text and shows
// another. Tag names are read without regard to letter case. Anything that is
// not a complete tag, a lone backslash included, is plain text: it is said and
// shown as it stands.
SpeechText parseSpeechTags(const QString& text);

} // namespace ortolino
