#pragma once

#include <QSet>
#include <QTimer>
#include <QWidget>

namespace ortolino {

// A small, unseen box that holds the keyboard focus while a window scans, so
// that the switches (which send space and Enter) reach its handlers.
//
// A switch held down must count once. Some X servers repeat a held key as
// release-and-press pairs that Qt does not mark as repeats, so a release is
// delivered only when no press of the same key follows within a few
// milliseconds. A release whose press this box never saw (the Enter that
// opened the window from the previous one) is ignored too.
class SwitchBox : public QWidget
{
    Q_OBJECT
public:
    // A press this soon after a release of the same key is the key repeating.
    static constexpr int kRepeatWindowMs = 30;

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
    QSet<int> held_;
    int pendingRelease_ = 0; // 0: none
    QTimer releaseTimer_;
};

} // namespace ortolino
