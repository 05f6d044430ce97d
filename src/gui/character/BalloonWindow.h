#pragma once

#include <QFont>
#include <QPainterPath>
#include <QWidget>

namespace ortolino {

// The speech balloon: a rounded bubble with a tail pointing at the character,
// in a frameless always-on-top window of its own (like the character's), so
// that it may stand beside the character wherever the screen has room.
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

    // Shows a text for a character standing in `character` (screen
    // coordinates), the tail pointing at `anchor`.
    void present(const QString& text, const QRect& character, const QPoint& anchor);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    static constexpr int kTail = 22;
    static constexpr int kPadding = 14;

    QString text_;
    QFont font_;
    bool sizeToText_ = true;
    QRect textArea_;     // in window coordinates
    QPainterPath shape_; // bubble and tail, in window coordinates
};

} // namespace ortolino
