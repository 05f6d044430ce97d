#pragma once

#include "gui/character/CharacterArtwork.h"

#include <QWidget>

namespace ortolino {

// Shows a character: a frameless, always-on-top window of its own, without a
// background, that never takes the keyboard focus or the mouse (clicks go to
// the window below, so the character never gets in a child's way). Its shape
// follows the drawing, so it looks right even without a compositor.
class CharacterWindow final : public QWidget
{
public:
    explicit CharacterWindow(const CharacterArtwork& artwork);

    void setFrame(const CharacterPose& pose, MouthShape mouth);
    const CharacterPose& pose() const { return pose_; }
    MouthShape mouth() const { return mouth_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const CharacterArtwork& artwork_;
    CharacterPose pose_;
    MouthShape mouth_ = MouthShape::Rest;
    QImage frame_;
};

// Window flags shared by the character and its balloon.
Qt::WindowFlags floatingWindowFlags();

} // namespace ortolino
