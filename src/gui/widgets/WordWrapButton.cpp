#include "gui/widgets/WordWrapButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace ortolino {

void WordWrapButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString text = option.text;
    option.text.clear(); // the frame and focus mark only; the caption follows wrapped
    painter.drawControl(QStyle::CE_PushButton, option);
    const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    painter.drawItemText(contents, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic,
                         option.palette, isEnabled(), text, QPalette::ButtonText);
}

} // namespace ortolino
