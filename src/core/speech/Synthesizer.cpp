#include "core/speech/Synthesizer.h"

#include <algorithm>

namespace ortolino {

MouthShape mouthForPhoneme(QStringView phoneme)
{
    if (phoneme.isEmpty() || phoneme[0] == u'_')
        return MouthShape::Rest;
    switch (phoneme[0].unicode()) {
    case 'a':
    case 'A':
    case 'V':
    case '&':
        return MouthShape::Open;
    case 'e':
    case 'E':
    case 'i':
    case 'I':
    case 'j':
    case 'f':
    case 'v':
        return MouthShape::Wide;
    case 'o':
    case 'O':
    case 'u':
    case 'U':
    case '0':
    case 'w':
    case 'y':
    case 'Y':
        return MouthShape::Round;
    case 'm':
    case 'b':
    case 'p':
        return MouthShape::Closed;
    default:
        return MouthShape::Small;
    }
}

MouthShape mouthForLetter(QChar letter)
{
    const QChar base = letter.toLower().decompositionTag() == QChar::NoDecomposition
                           ? letter.toLower()
                           : letter.toLower().decomposition().at(0);
    if (!base.isLetter())
        return MouthShape::Rest;
    switch (base.unicode()) {
    case 'a':
        return MouthShape::Open;
    case 'e':
    case 'i':
    case 'f':
    case 'v':
    case 'y':
        return MouthShape::Wide;
    case 'o':
    case 'u':
    case 'w':
        return MouthShape::Round;
    case 'm':
    case 'b':
    case 'p':
        return MouthShape::Closed;
    default:
        return MouthShape::Small;
    }
}

MouthShape mouthAt(const QList<MouthCue>& cues, qint64 sample)
{
    const auto after =
        std::upper_bound(cues.begin(), cues.end(), sample,
                         [](qint64 s, const MouthCue& cue) { return s < cue.sample; });
    return after == cues.begin() ? MouthShape::Rest : std::prev(after)->shape;
}

qint64 SilentSynthesizer::durationMs(const QString& text, int speed)
{
    // About 14 letters a second at the default speed, and never under a second,
    // so that even a single word stays readable in the balloon. A long text
    // passes what an int holds.
    const qint64 atDefault = 500 + 70 * qint64(text.trimmed().size());
    return std::max<qint64>(1000, atDefault * VoiceTone::kSpeedDefault / std::max(1, speed));
}

bool SilentSynthesizer::synthesize(const SpeechRequest& request, const Deliver& deliver,
                                   QString* /*error*/)
{
    qint64 start = 0;
    for (const SpokenPart& part : request.parts) {
        const qint64 length = durationMs(part.text, part.tone.speed) * rate_ / 1000;
        AudioChunk chunk;
        chunk.pcm = QByteArray(length * 2, '\0');
        const qint64 perLetter = length / std::max<qsizetype>(1, part.text.size());
        for (qsizetype i = 0; i < part.text.size(); ++i)
            chunk.cues.append({start + i * perLetter, mouthForLetter(part.text[i])});
        chunk.cues.append({start + perLetter * part.text.size(), MouthShape::Rest});
        if (!deliver(chunk))
            return true;
        start += length;
    }
    return true;
}

} // namespace ortolino
