#pragma once

#include "gui/widgets/FittedText.h"

#include <memory>

class QSvgRenderer;

namespace ortolino {

// A label (or a picture) that acts as a button: it reports clicks and the
// pointer moving over it. Its caption always fits it (wrapped, then smaller). With a picture it
// draws the SVG scaled to its own size, keeping the picture's proportions, so the resizer can scale
// it. Given a focus policy, it is chosen by Space, Enter or Return too, and shows
// its focus.
class ClickLabel : public FittedLabel
{
    Q_OBJECT
public:
    explicit ClickLabel(QWidget* parent = nullptr);
    ClickLabel(const QString& text, QWidget* parent);
    ~ClickLabel() override;

    // An SVG file or resource (":/menu/esci.svg") to draw instead of text.
    void setPicture(const QString& svgPath);
    // An SVG picture made at run time.
    void setPictureData(const QByteArray& svg);
    bool hasPicture() const;

signals:
    void clicked();
    void pointerMoved();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<QSvgRenderer> picture_;
    bool pressed_ = false; // the left button went down on it
};

} // namespace ortolino
