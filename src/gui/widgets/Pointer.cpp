#include "gui/widgets/Pointer.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ortolino {

QCursor pencilPointer()
{
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn pointing up-left: the tip sits at (2, 2).
    p.translate(2, 2);
    p.rotate(45);
    const QPen outline(QColor(40, 40, 40), 2);
    p.setPen(outline);
    QPainterPath tip;
    tip.moveTo(0, 0);
    tip.lineTo(7, 14);
    tip.lineTo(-7, 14);
    tip.closeSubpath();
    p.setBrush(QColor(245, 215, 160)); // bare wood
    p.drawPath(tip);
    p.setBrush(QColor(60, 60, 60)); // lead
    p.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(3, 6), QPointF(-3, 6)}));
    p.setBrush(QColor(255, 190, 0)); // yellow body
    p.drawRect(QRectF(-7, 14, 14, 24));
    p.setBrush(QColor(235, 90, 110)); // eraser
    p.drawRoundedRect(QRectF(-7, 38, 14, 7), 2, 2);
    p.end();
    return QCursor(pixmap, 2, 2);
}

} // namespace ortolino
