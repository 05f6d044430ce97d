#include "gui/widgets/ShapeControl.h"

#include <algorithm>
#include <QPainter>

namespace ortolino {

ShapeControl::ShapeControl(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeControl::setBorder(int width, const QColor& color)
{
    borderWidth_ = std::max(0, width);
    borderColor_ = color;
    update();
}

void ShapeControl::surround(const QRect& rect)
{
    setGeometry(rect.adjusted(-borderWidth_, -borderWidth_, borderWidth_, borderWidth_));
    raise();
}

void ShapeControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // The border grows inwards, so a thick one stays inside the control.
    const int half = borderWidth_ / 2;
    painter.setPen(QPen(borderColor_, borderWidth_, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(rect().adjusted(half, half, -(borderWidth_ - half), -(borderWidth_ - half)));
}

} // namespace ortolino
