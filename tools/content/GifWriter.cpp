#include "GifWriter.h"

#include <algorithm>
#include <cstdint>
#include <QHash>
#include <unordered_map>
#include <vector>

namespace ortolino::content {

namespace {

constexpr int kPaletteSize = 256;
constexpr int kMinCodeSize = 8; // pixels are whole bytes
constexpr int kClearCode = 1 << kMinCodeSize;
constexpr int kEndCode = kClearCode + 1;
constexpr int kLargestCode = 4095; // codes have at most 12 bits

QList<QRgb> mostFrequentColours(const QImage& image)
{
    QHash<QRgb, qsizetype> counts;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            ++counts[line[x] | 0xFF000000u];
    }
    std::vector<std::pair<QRgb, qsizetype>> byCount(counts.keyValueBegin(), counts.keyValueEnd());
    // Ties broken by the colour itself, so the palette is the same on every run.
    std::sort(byCount.begin(), byCount.end(), [](const auto& a, const auto& b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    });
    QList<QRgb> palette;
    for (const auto& entry : byCount) {
        if (palette.size() == kPaletteSize)
            break;
        palette.append(entry.first);
    }
    while (palette.size() < kPaletteSize)
        palette.append(qRgb(0, 0, 0));
    return palette;
}

// Variable-length codes packed from the low bit up, cut into the GIF's data
// sub-blocks of at most 255 bytes.
class CodeStream
{
public:
    explicit CodeStream(QByteArray& out) : out_(out) {}

    void write(int code, int size)
    {
        bits_ |= static_cast<std::uint32_t>(code) << bitCount_;
        bitCount_ += size;
        while (bitCount_ >= 8) {
            pushByte(static_cast<char>(bits_ & 0xFF));
            bits_ >>= 8;
            bitCount_ -= 8;
        }
    }

    void finish()
    {
        if (bitCount_ > 0)
            pushByte(static_cast<char>(bits_ & 0xFF));
        flushBlock();
        out_.append('\0'); // block terminator
    }

private:
    void pushByte(char byte)
    {
        block_.append(byte);
        if (block_.size() == 255)
            flushBlock();
    }

    void flushBlock()
    {
        if (block_.isEmpty())
            return;
        out_.append(static_cast<char>(block_.size()));
        out_.append(block_);
        block_.clear();
    }

    QByteArray& out_;
    QByteArray block_;
    std::uint32_t bits_ = 0;
    int bitCount_ = 0;
};

// LZW as GIF decoders expect it: the code size grows when the code just
// assigned no longer fits, and the table starts again once 4095 is used.
class LzwEncoder
{
public:
    explicit LzwEncoder(CodeStream& stream) : stream_(stream)
    {
        stream_.write(kClearCode, codeSize_);
    }

    void encode(const QByteArray& pixels)
    {
        if (pixels.isEmpty())
            return;
        int prefix = static_cast<unsigned char>(pixels.front());
        for (qsizetype i = 1; i < pixels.size(); ++i) {
            const int pixel = static_cast<unsigned char>(pixels[i]);
            const auto key =
                (static_cast<std::uint32_t>(prefix) << 8) | static_cast<std::uint32_t>(pixel);
            if (const auto found = table_.find(key); found != table_.end()) {
                prefix = found->second;
                continue;
            }
            stream_.write(prefix, codeSize_);
            addCode(key);
            prefix = pixel;
        }
        stream_.write(prefix, codeSize_);
        // The decoder adds one more entry on reading that last code.
        if (lastCode_ + 1 >= (1 << codeSize_) && codeSize_ < 12)
            ++codeSize_;
        stream_.write(kEndCode, codeSize_);
    }

private:
    void addCode(std::uint32_t key)
    {
        table_[key] = ++lastCode_;
        if (lastCode_ >= (1 << codeSize_) && codeSize_ < 12)
            ++codeSize_;
        if (lastCode_ == kLargestCode) {
            stream_.write(kClearCode, codeSize_);
            table_.clear();
            codeSize_ = kMinCodeSize + 1;
            lastCode_ = kEndCode;
        }
    }

    CodeStream& stream_;
    std::unordered_map<std::uint32_t, int> table_;
    int codeSize_ = kMinCodeSize + 1;
    int lastCode_ = kEndCode;
};

void appendWord(QByteArray& out, int value)
{
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>((value >> 8) & 0xFF));
}

QByteArray indexedPixels(const QImage& indexed)
{
    QByteArray pixels;
    pixels.reserve(qsizetype(indexed.width()) * indexed.height());
    for (int y = 0; y < indexed.height(); ++y)
        pixels.append(reinterpret_cast<const char*>(indexed.constScanLine(y)), indexed.width());
    return pixels;
}

} // namespace

bool writeGif(const QImage& image, QIODevice& out)
{
    if (image.isNull() || image.width() > 0xFFFF || image.height() > 0xFFFF)
        return false;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const QList<QRgb> palette = mostFrequentColours(rgb);
    const QImage indexed =
        rgb.convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither);

    QByteArray gif("GIF89a");
    appendWord(gif, image.width());
    appendWord(gif, image.height());
    gif.append(char(0xF7)); // global palette of 256 colours, 8 bits per primary
    gif.append(char(0));    // background colour index
    gif.append(char(0));    // square pixels
    for (QRgb colour : palette) {
        gif.append(static_cast<char>(qRed(colour)));
        gif.append(static_cast<char>(qGreen(colour)));
        gif.append(static_cast<char>(qBlue(colour)));
    }
    gif.append(',');
    appendWord(gif, 0);
    appendWord(gif, 0);
    appendWord(gif, image.width());
    appendWord(gif, image.height());
    gif.append(char(0)); // no local palette, not interlaced
    gif.append(static_cast<char>(kMinCodeSize));
    CodeStream stream(gif);
    LzwEncoder(stream).encode(indexedPixels(indexed));
    stream.finish();
    gif.append(';');
    return out.write(gif) == gif.size();
}

} // namespace ortolino::content
