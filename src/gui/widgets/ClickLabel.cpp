#include "gui/widgets/ClickLabel.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>
#include <utility>

namespace ortolino {

ClickLabel::ClickLabel(QWidget* parent) : ClickLabel(QString(), parent) {}

ClickLabel::ClickLabel(const QString& text, QWidget* parent) : FittedLabel(text, parent)
{
    setMouseTracking(true); // moves without a pressed button are reported too
}

ClickLabel::~ClickLabel() = default;

void ClickLabel::setPicture(const QString& svgPath)
{
    picture_ = std::make_unique<QSvgRenderer>(svgPath);
    update();
}

void ClickLabel::setPictureData(const QByteArray& svg)
{
    picture_ = std::make_unique<QSvgRenderer>(svg);
    update();
}

bool ClickLabel::hasPicture() const
{
    return picture_ && picture_->isValid();
}

void ClickLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        pressed_ = true;
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    // A click is a press and release of the left button over the control. A
    // release alone is none: its press went to another window, one that
    // closed meanwhile.
    if (event->button() == Qt::LeftButton && std::exchange(pressed_, false) &&
        rect().contains(event->position().toPoint()))
        emit clicked();
    event->accept();
}

void ClickLabel::mouseMoveEvent(QMouseEvent* event)
{
    emit pointerMoved();
    event->accept(); // not the window's background: the window must not see it
}

void ClickLabel::keyPressEvent(QKeyEvent* event)
{
    // A held key chooses once, as a held mouse button does.
    const int key = event->key();
    if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier) {
        if (!event->isAutoRepeat())
            emit clicked();
        event->accept();
        return;
    }
    FittedLabel::keyPressEvent(event);
}

// A plain widget's focus and no menu of its own: a label that takes the
// focus makes an editor of its text, which would offer to copy it.
void ClickLabel::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event); // NOLINT(bugprone-parent-virtual-call)
}

void ClickLabel::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event); // NOLINT(bugprone-parent-virtual-call)
}

void ClickLabel::contextMenuEvent(QContextMenuEvent* event)
{
    event->ignore();
}

void ClickLabel::paintEvent(QPaintEvent* event)
{
    if (!hasPicture()) {
        FittedLabel::paintEvent(event);
    } else {
        QPainter painter(this);
        QSizeF size = picture_->defaultSize();
        size.scale(QSizeF(this->size()), Qt::KeepAspectRatio);
        const QRectF target(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2),
                            size);
        picture_->render(&painter, target);
    }
    if (hasFocus()) {
        // A dashed line inside the edge in the text's colour, over the picture
        // too, seen on any background.
        QPainter painter(this);
        painter.setPen(QPen(palette().color(foregroundRole()), 3, Qt::DashLine));
        painter.drawRect(rect().adjusted(3, 3, -4, -4));
    }
}

} // namespace ortolino
