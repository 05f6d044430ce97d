#include "gui/widgets/SolidButton.h"

#include "gui/widgets/FittedText.h"

#include <algorithm>
#include <QPainter>

namespace ortolino {

namespace {

bool isDark(const QColor& color)
{
    // Perceived lightness (ITU-R BT.601 weights).
    return 0.299 * color.redF() + 0.587 * color.greenF() + 0.114 * color.blueF() < 0.5;
}

} // namespace

SolidButton::SolidButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

void SolidButton::setMarked(bool on)
{
    if (marked_ == on)
        return;
    marked_ = on;
    update();
}

void SolidButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill = palette().color(QPalette::Button);
    if (isDown())
        fill = fill.darker(115);
    const int outline = marked_ ? std::max(3, height() / 14) : hasFocus() ? 3 : 1;
    const double inset = outline / 2.0 + 0.5;
    const QRectF box = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    painter.setPen(QPen(marked_ ? QColor(20, 20, 20) : QColor(90, 90, 90), outline));
    painter.setBrush(fill);
    painter.drawRoundedRect(box, 5, 5);

    QColor ink = isDark(fill) ? QColor(Qt::white) : QColor(Qt::black);
    if (!isEnabled())
        ink = isDark(fill) ? QColor(190, 190, 190) : QColor(140, 140, 140);
    painter.setPen(ink);
    if (inkCentred_)
        painter.drawText(inkCentredOrigin(font(), text(), QRectF(rect()).center()), text());
    else
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextShowMnemonic, text());
}

} // namespace ortolino
