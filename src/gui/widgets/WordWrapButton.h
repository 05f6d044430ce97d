#pragma once

#include <QPushButton>

namespace ortolino {

// A command button whose caption wraps onto several lines when it is wider
// than the button, as the historic buttons did; the caption stays centred
// and its "&" mnemonic works.
class WordWrapButton : public QPushButton
{
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace ortolino
