#pragma once

#include "core/platform/SwitchInput.h"

#include <QTimer>
#include <QWidget>

namespace ortolino {

// A small, unseen box that holds the keyboard focus while a window scans, so
// that the switches (which send space and Enter) reach its handlers. A
// switch held down counts once, however the system repeats it (SwitchKeys):
// a release is handed on when the repeat window is over.
class SwitchBox : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kRepeatWindowMs = SwitchKeys::kRepeatWindowMs;

    SwitchBox(const QString& name, QWidget* parent);

    // Delivers a release still waiting out the repeat window (the window's
    // timer does this; tests call it to avoid waiting).
    void deliverPendingRelease();

signals:
    void keyDown(int qtKey);
    void keyUp(int qtKey);
    // The focus left while a key was held: its release will not come here.
    void heldKeysLost();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    SwitchKeys keys_;
    QTimer releaseTimer_;
};

} // namespace ortolino
