#include "platform/SwitchBox.h"

#include <QKeyEvent>

namespace ortolino {

SwitchBox::SwitchBox(const QString& name, QWidget* parent) : QWidget(parent)
{
    setObjectName(name);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
}

void SwitchBox::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    if (event->isAutoRepeat())
        return;
    held_.insert(event->key());
    emit keyDown(event->key());
}

void SwitchBox::keyReleaseEvent(QKeyEvent* event)
{
    event->accept();
    if (event->isAutoRepeat() || !held_.remove(event->key()))
        return;
    emit keyUp(event->key());
}

void SwitchBox::focusOutEvent(QFocusEvent* event)
{
    // A key released elsewhere must not count as a release here later.
    if (!held_.isEmpty()) {
        held_.clear();
        emit heldKeysLost();
    }
    QWidget::focusOutEvent(event);
}

} // namespace ortolino
