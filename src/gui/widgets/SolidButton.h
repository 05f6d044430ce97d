#pragma once

#include <QPushButton>

namespace ortolino {

// A push button filled evenly with its palette's button colour. The style's
// own buttons blend that colour into a pale gradient, which would wash out
// the scan's mark; a child following the scan needs the colour as chosen.
// The caption is drawn dark or light, whichever stands out on the fill.
class SolidButton : public QPushButton
{
    Q_OBJECT
public:
    explicit SolidButton(const QString& text = QString(), QWidget* parent = nullptr);

    // A single letter is centred by its ink, not by its line: a letter with
    // neither ascender nor descender would otherwise sit low on a key, a tall
    // one high.
    void setInkCentred(bool on) { inkCentred_ = on; }
    // The scan's mark: a dark outline around the key, so that the marked key
    // stands out whatever its colour and the window's.
    void setMarked(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool inkCentred_ = false;
    bool marked_ = false;
};

} // namespace ortolino
