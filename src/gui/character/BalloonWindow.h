#pragma once

#include <QFont>
#include <QPainterPath>
#include <QWidget>

namespace ortolino {

// The speech balloon: a rounded bubble with a tail pointing at the character.
// On a stage (a child of the character's window, see stageOn) it stands in
// the stage's free area, its text made smaller when the area is tight;
// otherwise it has a frameless window of its own beside the character,
// wherever the screen has room.
class BalloonWindow final : public QWidget
{
    Q_OBJECT
public:
    BalloonWindow();

    QString text() const { return text_; }
    void setBalloonFont(const QFont& font) { font_ = font; }
    QFont balloonFont() const { return font_; }
    // With size to text, the bubble is as wide as its text needs (up to a
    // limit); without, it always has that limit's width.
    void setSizeToText(bool on) { sizeToText_ = on; }
    // Where the balloon may stand on its stage, in the stage's coordinates.
    void setArea(const QRect& area) { area_ = area; }

    // Shows a text for a character standing in `character` (the stage's
    // coordinates, or the screen's), the tail pointing at `anchor`.
    void present(const QString& text, const QRect& character, const QPoint& anchor);
    // Where the text is laid out, and in which font (what present() chose).
    QRect textArea() const { return textArea_; }
    QFont shownFont() const { return shownFont_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    static constexpr int kTail = 22;
    static constexpr int kPadding = 14;
    static constexpr int kOutline = 3; // room for the outline around the bubble

    QString text_;
    QFont font_;
    QFont shownFont_; // font_, or smaller where the stage is tight
    QRect area_;
    bool sizeToText_ = true;
    QRect textArea_;     // in window coordinates
    QPainterPath shape_; // bubble and tail, in window coordinates
};

} // namespace ortolino
