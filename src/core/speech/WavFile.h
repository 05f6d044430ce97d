#pragma once

#include <optional>
#include <QByteArray>
#include <QString>

namespace ortolino {

// Decoded PCM audio, interleaved, in one of the sample formats an audio
// output accepts directly.
struct PcmSound
{
    enum class Format
    {
        UInt8,
        Int16,
        Int32,
        Float
    };
    Format format = Format::Int16;
    int sampleRate = 0;
    int channels = 0;
    QByteArray data;

    int bytesPerSample() const
    {
        return format == Format::UInt8 ? 1 : format == Format::Int16 ? 2 : 4;
    }
    qint64 frames() const { return channels > 0 ? data.size() / (bytesPerSample() * channels) : 0; }
    double seconds() const { return sampleRate > 0 ? double(frames()) / sampleRate : 0.0; }
};

// Reads a RIFF/WAVE file: integer PCM of 8, 16, 24 or 32 bits (24 bits become
// 32) or 32-bit float, plain or "extensible". A data chunk that claims more
// than the file holds is cut to what is there. Nothing, with the reason in
// *error, for anything else.
std::optional<PcmSound> decodeWav(const QByteArray& bytes, QString* error);
// Sounds of a few minutes at most: a larger file is refused as damaged.
inline constexpr qint64 kWavMaxBytes = 32 * 1024 * 1024;
std::optional<PcmSound> readWavFile(const QString& path, QString* error);

// A 16-bit PCM WAVE file of samples (for tests and tools).
QByteArray encodeWav16(const QByteArray& samples, int sampleRate, int channels);

} // namespace ortolino
