#pragma once

#include <QImage>
#include <QIODevice>

namespace ortolino::content {

// Writes the image as a still GIF (GIF89a, one frame, LZW compressed). Qt can
// read GIF files but not write them. The palette holds the picture's 256 most
// frequent colours; other colours take the nearest of them, which suits flat
// artwork whose only extra colours are its anti-aliased edges.
bool writeGif(const QImage& image, QIODevice& out);

} // namespace ortolino::content
