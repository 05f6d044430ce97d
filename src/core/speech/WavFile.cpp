#include "core/speech/WavFile.h"

#include "core/platform/TextFiles.h"

#include <QtEndian>

namespace ortolino {

namespace {

constexpr quint16 kFormatPcm = 1;
constexpr quint16 kFormatFloat = 3;
constexpr quint16 kFormatExtensible = 0xFFFE;

quint16 u16(const QByteArray& b, qsizetype at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

quint32 u32(const QByteArray& b, qsizetype at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

struct FormatChunk
{
    quint16 code = 0;
    int channels = 0;
    int sampleRate = 0;
    int bits = 0;
};

std::optional<PcmSound::Format> sampleFormat(const FormatChunk& fmt)
{
    if (fmt.code == kFormatFloat)
        return fmt.bits == 32 ? std::optional(PcmSound::Format::Float) : std::nullopt;
    if (fmt.code != kFormatPcm)
        return std::nullopt;
    switch (fmt.bits) {
    case 8:
        return PcmSound::Format::UInt8;
    case 16:
        return PcmSound::Format::Int16;
    case 24:
    case 32:
        return PcmSound::Format::Int32;
    default:
        return std::nullopt;
    }
}

// 24-bit samples widened to 32 bits (the low byte zero), same scale.
QByteArray widen24(const QByteArray& data)
{
    QByteArray wide;
    wide.reserve(data.size() / 3 * 4);
    for (qsizetype i = 0; i + 2 < data.size(); i += 3) {
        wide.append('\0');
        wide.append(data.constData() + i, 3);
    }
    return wide;
}

} // namespace

std::optional<PcmSound> decodeWav(const QByteArray& bytes, QString* error)
{
    const auto fail = [&](const char* why) {
        if (error)
            *error = QString::fromLatin1(why);
        return std::nullopt;
    };
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return fail("not a WAVE file");
    std::optional<FormatChunk> fmt;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const qint64 size = u32(bytes, at + 4);
        const qsizetype body = at + 8;
        if (id == "fmt " && size >= 16 && body + 16 <= bytes.size()) {
            fmt = FormatChunk{u16(bytes, body), u16(bytes, body + 2), int(u32(bytes, body + 4)),
                              u16(bytes, body + 14)};
            if (fmt->code == kFormatExtensible && size >= 26 && body + 26 <= bytes.size())
                fmt->code = u16(bytes, body + 24); // the sub-format's first two bytes
        } else if (id == "data") {
            if (!fmt)
                return fail("data before format");
            const auto format = sampleFormat(*fmt);
            if (!format || fmt->channels < 1 || fmt->channels > 8 || fmt->sampleRate < 1000 ||
                fmt->sampleRate > 384000)
                return fail("unsupported WAVE format");
            const int frameBytes = fmt->channels * fmt->bits / 8;
            const qint64 available = std::min<qint64>(size, bytes.size() - body);
            const QByteArray data = bytes.mid(body, available - available % frameBytes);
            PcmSound sound{*format, fmt->sampleRate, fmt->channels,
                           fmt->bits == 24 ? widen24(data) : data};
            if (sound.frames() == 0)
                return fail("no samples");
            return sound;
        }
        at = body + size + (size & 1);
    }
    return fail(fmt ? "no data chunk" : "no format chunk");
}

std::optional<PcmSound> readWavFile(const QString& path, QString* error)
{
    const std::optional<QByteArray> bytes = readFileBytes(path, kWavMaxBytes);
    if (!bytes) {
        if (error)
            *error = QStringLiteral("cannot read %1").arg(path);
        return std::nullopt;
    }
    return decodeWav(*bytes, error);
}

QByteArray encodeWav16(const QByteArray& samples, int sampleRate, int channels)
{
    QByteArray out;
    const auto put32 = [&](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        out.append(b, 4);
    };
    const auto put16 = [&](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        out.append(b, 2);
    };
    out.append("RIFF");
    put32(quint32(36 + samples.size()));
    out.append("WAVEfmt ");
    put32(16);
    put16(kFormatPcm);
    put16(quint16(channels));
    put32(quint32(sampleRate));
    put32(quint32(sampleRate * channels * 2));
    put16(quint16(channels * 2));
    put16(16);
    out.append("data");
    put32(quint32(samples.size()));
    out.append(samples);
    return out;
}

} // namespace ortolino
