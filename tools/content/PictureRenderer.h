#pragma once

#include <QImage>
#include <QString>

namespace ortolino::content {

// Side of every rendered picture, in pixels.
inline constexpr int kLatoImmagine = 400;

// The artwork drawn centred on a white square of the given side, with a
// margin so that it never touches the edge. A null image when the SVG file
// cannot be read.
QImage renderPicture(const QString& svgPath, int side = kLatoImmagine);

// Saves a picture as "jpg" (quality 85) or "gif". False when it cannot be written.
bool savePicture(const QImage& picture, const QString& path, const QString& format);

} // namespace ortolino::content
