// The tool that makes the shipped pictures and lists. Qt reads GIF but cannot
// write it, so our writer must be right.

#include "ContentTable.h"
#include "GifWriter.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QImageReader>
#include <QRandomGenerator>
#include <QTemporaryDir>

using namespace ortolino::content;

namespace {

// Rows in the wrong format or naming a word twice are seen on the shipped content.
TEST(WordTableFile, RefusesWhatCannotNameAPicture)
{
    for (const char* word : {"Cane", "ice cream", "precipitevolmente"}) // 17 letters
        EXPECT_FALSE(isValidPictureWord(QString::fromUtf8(word))) << word;
    EXPECT_TRUE(isValidPictureWord(QStringLiteral("città")));
    QTemporaryDir dir;
    const QString path = dir.filePath("words.tsv");
    ortolino::test::writeFile(path, "Italiano\tEnglish\tartwork\tformat\ttheme\tdefault\n"
                                    "cane\tdog\t1f415\tjpg\tanimali\n"); // a field missing
    QString error;
    EXPECT_FALSE(readWordTable(path, &error).has_value());
    EXPECT_FALSE(error.isEmpty());
}

// An image of many small patches drawn from the given number of colours.
QImage patchwork(int width, int height, int colours)
{
    QRandomGenerator random(7);
    QList<QRgb> palette;
    for (int i = 0; i < colours; ++i)
        palette.append(qRgb(random.bounded(256), random.bounded(256), random.bounded(256)));
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, palette[(x / 3 + (y / 2) * 7 + random.bounded(2)) % colours]);
    }
    return image;
}

QImage readBack(const QImage& image)
{
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    EXPECT_TRUE(writeGif(image, buffer));
    buffer.seek(0);
    QImageReader reader(&buffer, "gif");
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

TEST(GifWriter, KeepsEveryPixelOfA256ColourImageAndMapsRareColoursToTheNearestFrequentOne)
{
    // Large and varied enough that the code table fills and starts again.
    for (QSize size : {QSize(1, 1), QSize(17, 3), QSize(301, 203)}) {
        const QImage image = patchwork(size.width(), size.height(), 256);
        EXPECT_EQ(readBack(image), image) << size.width() << "x" << size.height();
    }

    // 256 colours of 16 pixels each, then a few pixels of near twins of them,
    // as anti-aliased edges give.
    const auto colour = [](int k) { return qRgb(k, 255 - k, k * 7 % 256); };
    QImage image(64, 64, QImage::Format_RGB32);
    for (int i = 0; i < 64 * 64; ++i)
        image.setPixel(i % 64, i / 64, colour(i / 16));
    for (int k = 10; k < 250; k += 40) {
        const QRgb twin = colour(k);
        image.setPixel(k % 64, 63 - k % 5, qRgb(qRed(twin) + 3, qGreen(twin) - 3, qBlue(twin)));
    }
    const QImage back = readBack(image);
    ASSERT_EQ(back.size(), image.size());
    for (int k = 10; k < 250; k += 40)
        EXPECT_EQ(back.pixel(k % 64, 63 - k % 5), colour(k)) << k;
    EXPECT_EQ(back.pixel(0, 0), image.pixel(0, 0));
}

} // namespace
