#include "gui/widgets/SwitchBox.h"

#include <QKeyEvent>

namespace ortolino {

SwitchBox::SwitchBox(const QString& name, QWidget* parent) : QWidget(parent)
{
    setObjectName(name);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    releaseTimer_.setSingleShot(true);
    releaseTimer_.setInterval(kRepeatWindowMs);
    connect(&releaseTimer_, &QTimer::timeout, this, &SwitchBox::deliverPendingRelease);
}

void SwitchBox::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    // A repeat cancels its key's pending release; the timer then finds none.
    if (keys_.press(event->key(), event->isAutoRepeat()))
        emit keyDown(event->key());
}

void SwitchBox::keyReleaseEvent(QKeyEvent* event)
{
    event->accept();
    int earlier = 0;
    if (!keys_.release(event->key(), event->isAutoRepeat(), &earlier))
        return;
    releaseTimer_.start();
    if (earlier != 0) // another key's release comes first
        emit keyUp(earlier);
}

void SwitchBox::deliverPendingRelease()
{
    releaseTimer_.stop();
    if (const int key = keys_.takePendingRelease(); key != 0)
        emit keyUp(key);
}

void SwitchBox::focusOutEvent(QFocusEvent* event)
{
    deliverPendingRelease(); // released here: it counts
    // A key released elsewhere must not count as a release here later.
    if (keys_.forget())
        emit heldKeysLost();
    QWidget::focusOutEvent(event);
}

void SwitchBox::hideEvent(QHideEvent* event)
{
    // A closing window takes no more choices.
    releaseTimer_.stop();
    keys_.forget();
    QWidget::hideEvent(event);
}

} // namespace ortolino
