#include "PictureRenderer.h"

#include "GifWriter.h"

#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>

namespace ortolino::content {

namespace {

constexpr double kMargine = 0.08; // of the side, on every edge
constexpr int kQualitaJpeg = 85;

} // namespace

QImage renderPicture(const QString& svgPath, int side)
{
    QSvgRenderer svg(svgPath);
    if (!svg.isValid())
        return {};
    svg.setAspectRatioMode(Qt::KeepAspectRatio);
    QImage picture(side, side, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const double margin = side * kMargine;
    svg.render(&painter, QRectF(margin, margin, side - 2 * margin, side - 2 * margin));
    return picture;
}

bool savePicture(const QImage& picture, const QString& path, const QString& format)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    bool written = false;
    if (format == QLatin1String("gif")) {
        written = writeGif(picture, file);
    } else {
        QImageWriter writer(&file, "jpg");
        writer.setQuality(kQualitaJpeg);
        written = writer.write(picture);
    }
    return written && file.commit();
}

} // namespace ortolino::content
