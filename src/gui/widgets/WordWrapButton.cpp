#include "gui/widgets/WordWrapButton.h"

#include "gui/widgets/FittedText.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace ortolino {

namespace {

QRect captionArea(const QPushButton& button, const QStyleOptionButton& option)
{
    return button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
}

} // namespace

QFont WordWrapButton::shownFont() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return fittedFont(font(), font().pointSizeF(), {text()}, captionArea(*this, option).size(),
                      TextFit::Wrapped);
}

void WordWrapButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString text = option.text;
    option.text.clear(); // the frame and focus mark only; the caption follows wrapped
    painter.drawControl(QStyle::CE_PushButton, option);
    const QRect contents = captionArea(*this, option);
    painter.setFont(shownFont());
    painter.drawItemText(contents, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic,
                         option.palette, isEnabled(), text, QPalette::ButtonText);
}

} // namespace ortolino
