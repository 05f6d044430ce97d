#pragma once

#include <QSet>
#include <QWidget>

namespace ortolino {

// A small, unseen box that holds the keyboard focus while a window scans, so
// that the switches (which send space and Enter) reach its handlers. A held
// switch's auto-repeat is ignored, and so is a release whose press this box
// never saw (the Enter that opened the window from the previous one).
class SwitchBox : public QWidget
{
    Q_OBJECT
public:
    SwitchBox(const QString& name, QWidget* parent);

signals:
    void keyDown(int qtKey);
    void keyUp(int qtKey);
    // The focus left while a key was held: its release will not come here.
    void heldKeysLost();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QSet<int> held_;
};

} // namespace ortolino
