#include "core/speech/Synthesizer.h"

#include <algorithm>
#include <string_view>

namespace ortolino {

namespace {

// The mouth for a sound, from the letter that names it: the letters that open
// the mouth, spread it or round it; the lips close on m, b and p.
MouthShape shapeFor(char16_t c, std::u16string_view open, std::u16string_view wide,
                    std::u16string_view round)
{
    if (open.find(c) != std::u16string_view::npos)
        return MouthShape::Open;
    if (wide.find(c) != std::u16string_view::npos)
        return MouthShape::Wide;
    if (round.find(c) != std::u16string_view::npos)
        return MouthShape::Round;
    if (std::u16string_view(u"mbp").find(c) != std::u16string_view::npos)
        return MouthShape::Closed;
    return MouthShape::Small;
}

} // namespace

MouthShape mouthForPhoneme(QStringView phoneme)
{
    if (phoneme.isEmpty() || phoneme[0] == u'_')
        return MouthShape::Rest;
    return shapeFor(phoneme[0].unicode(), u"aAV&", u"eEiIjfv", u"oOuU0wyY");
}

MouthShape mouthForLetter(QChar letter)
{
    const QChar base = letter.toLower().decompositionTag() == QChar::NoDecomposition
                           ? letter.toLower()
                           : letter.toLower().decomposition().at(0);
    if (!base.isLetter())
        return MouthShape::Rest;
    return shapeFor(base.unicode(), u"a", u"eifvy", u"ouw");
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
