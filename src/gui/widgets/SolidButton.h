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

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace ortolino
