// The tool that makes the shipped pictures and lists. Qt reads GIF but cannot
// write it, so our writer must be right.

#include "ContentTable.h"
#include "GifWriter.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QImageReader>
#include <QRandomGenerator>

using namespace ortolino::content;

namespace {

// Rows in the wrong format or naming a word twice are seen on the shipped content.
TEST(WordTableFile, RefusesWhatCannotNameAPicture)
{
    for (const char* word : {"Cane", "ice cream", "precipitevolmente"}) // 17 letters
        EXPECT_FALSE(isValidPictureWord(QString::fromUtf8(word))) << word;
    EXPECT_TRUE(isValidPictureWord(QStringLiteral("città")));
}

// An image of many small patches of 256 colours.
QImage patchwork(QSize size)
{
    QRandomGenerator random(7);
    QList<QRgb> palette;
    for (int i = 0; i < 256; ++i)
        palette.append(qRgb(random.bounded(256), random.bounded(256), random.bounded(256)));
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, palette[(x / 3 + (y / 2) * 7 + random.bounded(2)) % 256]);
    }
    return image;
}

// Large and varied enough that the code table fills and starts again.
TEST(GifWriter, KeepsEveryPixelOfA256ColourImage)
{
    for (QSize size : {QSize(1, 1), QSize(17, 3), QSize(301, 203)}) {
        const QImage image = patchwork(size);
        QBuffer buffer;
        buffer.open(QIODevice::ReadWrite);
        ASSERT_TRUE(writeGif(image, buffer));
        buffer.seek(0);
        EXPECT_EQ(QImageReader(&buffer, "gif").read().convertToFormat(QImage::Format_RGB32), image)
            << size.width() << "x" << size.height();
    }
}

} // namespace
