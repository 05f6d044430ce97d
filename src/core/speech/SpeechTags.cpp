#include "core/speech/SpeechTags.h"

#include <algorithm>
#include <optional>

namespace ortolino {

namespace {

// A tag recognised at some position, with the index just after it.
struct Tag
{
    enum class Kind
    {
        Speed,
        Pitch,
        Map
    } kind = Kind::Speed;
    int number = 0;
    QString spoken;
    QString shown;
    qsizetype end = 0;
};

bool startsWithAt(const QString& text, qsizetype at, QLatin1String word)
{
    return QStringView(text).mid(at).startsWith(word, Qt::CaseInsensitive);
}

// "\Spd=130\" or "\Pit=100\" at `at`: digits only, closed by a backslash.
std::optional<Tag> readNumberTag(const QString& text, qsizetype at, QLatin1String name,
                                 Tag::Kind kind)
{
    if (!startsWithAt(text, at, name))
        return std::nullopt;
    qsizetype i = at + name.size();
    const qsizetype digitsStart = i;
    while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128)
        ++i;
    if (i == digitsStart || i - digitsStart > 6 || i >= text.size() || text[i] != u'\\')
        return std::nullopt;
    Tag tag;
    tag.kind = kind;
    tag.number = text.mid(digitsStart, i - digitsStart).toInt();
    tag.end = i + 1;
    return tag;
}

// A quoted text starting at `at` (which must hold the opening quote): the
// text up to the next quote, and the index after the closing quote.
std::optional<std::pair<QString, qsizetype>> readQuoted(const QString& text, qsizetype at)
{
    if (at >= text.size() || text[at] != u'"')
        return std::nullopt;
    const qsizetype close = text.indexOf(u'"', at + 1);
    if (close < 0)
        return std::nullopt;
    return std::pair{text.mid(at + 1, close - at - 1), close + 1};
}

// "\Map="spoken"="shown"\" at `at`.
std::optional<Tag> readMapTag(const QString& text, qsizetype at)
{
    const QLatin1String name("\\Map=");
    if (!startsWithAt(text, at, name))
        return std::nullopt;
    const auto spoken = readQuoted(text, at + name.size());
    if (!spoken || spoken->second >= text.size() || text[spoken->second] != u'=')
        return std::nullopt;
    const auto shown = readQuoted(text, spoken->second + 1);
    if (!shown || shown->second >= text.size() || text[shown->second] != u'\\')
        return std::nullopt;
    Tag tag;
    tag.kind = Tag::Kind::Map;
    tag.spoken = spoken->first;
    tag.shown = shown->first;
    tag.end = shown->second + 1;
    return tag;
}

std::optional<Tag> readTag(const QString& text, qsizetype at)
{
    if (auto tag = readNumberTag(text, at, QLatin1String("\\Spd="), Tag::Kind::Speed))
        return tag;
    if (auto tag = readNumberTag(text, at, QLatin1String("\\Pit="), Tag::Kind::Pitch))
        return tag;
    return readMapTag(text, at);
}

void appendSpoken(QList<SpokenPart>& parts, const QString& text, const VoiceTone& tone)
{
    if (text.isEmpty())
        return;
    if (!parts.isEmpty() && parts.last().tone == tone)
        parts.last().text += text;
    else
        parts.append({text, tone});
}

} // namespace

QString SpeechText::spokenText() const
{
    QString all;
    for (const SpokenPart& part : spoken)
        all += part.text;
    return all;
}

SpeechText parseSpeechTags(const QString& text)
{
    SpeechText result;
    VoiceTone tone;
    QString plain; // text since the last tag, said and shown alike
    const auto flushPlain = [&] {
        appendSpoken(result.spoken, plain, tone);
        result.shown += plain;
        plain.clear();
    };
    qsizetype i = 0;
    while (i < text.size()) {
        const std::optional<Tag> tag = text[i] == u'\\' ? readTag(text, i) : std::nullopt;
        if (!tag) {
            plain += text[i++];
            continue;
        }
        flushPlain();
        switch (tag->kind) {
        case Tag::Kind::Speed:
            tone.speed = std::clamp(tag->number, VoiceTone::kSpeedMin, VoiceTone::kSpeedMax);
            break;
        case Tag::Kind::Pitch:
            tone.pitch = std::clamp(tag->number, VoiceTone::kPitchMin, VoiceTone::kPitchMax);
            break;
        case Tag::Kind::Map:
            appendSpoken(result.spoken, tag->spoken, tone);
            result.shown += tag->shown;
            break;
        }
        i = tag->end;
    }
    flushPlain();
    return result;
}

} // namespace ortolino
