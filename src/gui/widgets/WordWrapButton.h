#pragma once

#include <QPushButton>

namespace ortolino {

// A command button whose caption wraps onto several lines when it is wider
// than the button, as the historic buttons did; the caption stays centred
// and its "&" mnemonic works. When even its wrapped lines do not fit (a small
// or scaled screen) it is drawn smaller.
class WordWrapButton : public QPushButton
{
    Q_OBJECT
public:
    using QPushButton::QPushButton;

    // The font the caption is drawn in at the present size.
    QFont shownFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace ortolino
