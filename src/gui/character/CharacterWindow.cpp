#include "gui/character/CharacterWindow.h"

#include <QBitmap>
#include <QPainter>

namespace ortolino {

namespace {

// The pixels of a picture that show (even faintly), as a window shape. Never
// empty: an empty shape would mean no shape at all, the whole window.
QRegion shapeOf(const QImage& picture)
{
    QImage bits(picture.size(), QImage::Format_MonoLSB);
    bits.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)}); // 1 = black = inside
    bits.fill(0);
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if (qAlpha(row[x]) > 12)
                bits.setPixel(x, y, 1);
        }
    }
    const QRegion shape(QBitmap::fromImage(bits));
    return shape.isEmpty() ? QRegion(0, 0, 1, 1) : shape;
}

} // namespace

Qt::WindowFlags floatingWindowFlags()
{
    return Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
           Qt::WindowTransparentForInput | Qt::NoDropShadowWindowHint;
}

void stageOn(QWidget* widget, QWidget* owner)
{
    if (widget->parentWidget() == owner)
        return;
    const bool shown = widget->isVisible();
    widget->setParent(owner, Qt::Widget);
    // A shape serves a window of its own. Within the owner, Qt paints the
    // owner again beneath each new frame; a shape left over from an earlier
    // frame would keep that frame's pixels outside the new one.
    widget->clearMask();
    widget->setAttribute(Qt::WA_TransparentForMouseEvents);
    widget->setVisible(shown);
}

CharacterWindow::CharacterWindow(const CharacterArtwork& artwork)
    : QWidget(nullptr, floatingWindowFlags()), artwork_(artwork)
{
    setObjectName(QStringLiteral("Personaggio"));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(artwork.size());
    setFrame(pose_, mouth_);
}

void CharacterWindow::setFrame(const CharacterPose& pose, MouthShape mouth)
{
    pose_ = pose;
    mouth_ = mouth;
    if (isWindow()) {
        QImage frame(artwork_.size(), QImage::Format_ARGB32_Premultiplied);
        frame.fill(Qt::transparent);
        QPainter painter(&frame);
        artwork_.paint(painter, pose_, mouth_);
        painter.end();
        const QRegion shape = shapeOf(frame);
        if (shape != mask())
            setMask(shape);
    }
    update();
}

void CharacterWindow::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    if (isWindow()) { // within the owner, the owner's pixels stay beneath
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(rect(), Qt::transparent);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    // Drawn at the screen's resolution rather than copied from the image
    // that gave the window its shape.
    artwork_.paint(painter, pose_, mouth_);
}

} // namespace ortolino
