#pragma once

#include <QColor>
#include <QWidget>

namespace ortolino {

// A framed rectangle with nothing inside, as a sample of a frame drawn
// elsewhere: its border has a width in pixels and a colour.
class ShapeControl : public QWidget
{
    Q_OBJECT
public:
    explicit ShapeControl(QWidget* parent = nullptr);

    int borderWidth() const { return borderWidth_; }
    QColor borderColor() const { return borderColor_; }
    void setBorder(int width, const QColor& color);

    // Places the frame around a rectangle of its parent: the border lies just
    // outside it, so it never covers what it surrounds.
    void surround(const QRect& rect);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int borderWidth_ = 1;
    QColor borderColor_ = Qt::black;
};

} // namespace ortolino
