#include "platform/SwitchBox.h"

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
    const int key = event->key();
    if (key == pendingRelease_) { // the release was the key repeating
        releaseTimer_.stop();
        pendingRelease_ = 0;
        return;
    }
    if (event->isAutoRepeat() || held_.contains(key))
        return;
    held_.insert(key);
    emit keyDown(key);
}

void SwitchBox::keyReleaseEvent(QKeyEvent* event)
{
    event->accept();
    const int key = event->key();
    if (event->isAutoRepeat() || !held_.contains(key))
        return;
    deliverPendingRelease(); // another key's release comes first
    pendingRelease_ = key;
    releaseTimer_.start();
}

void SwitchBox::deliverPendingRelease()
{
    releaseTimer_.stop();
    const int key = pendingRelease_;
    if (key == 0)
        return;
    pendingRelease_ = 0;
    held_.remove(key);
    emit keyUp(key);
}

void SwitchBox::focusOutEvent(QFocusEvent* event)
{
    deliverPendingRelease(); // released here: it counts
    // A key released elsewhere must not count as a release here later.
    if (!held_.isEmpty()) {
        held_.clear();
        emit heldKeysLost();
    }
    QWidget::focusOutEvent(event);
}

void SwitchBox::hideEvent(QHideEvent* event)
{
    // A closing window takes no more choices.
    releaseTimer_.stop();
    pendingRelease_ = 0;
    held_.clear();
    QWidget::hideEvent(event);
}

} // namespace ortolino
