#pragma once

#include "gui/character/CharacterArtwork.h"

#include <QWidget>

namespace ortolino {

// Shows a character: a frameless window of its own, or a child of the window
// it belongs to (see stageOn), without a background, that never takes the
// keyboard focus or the mouse (clicks go to what lies below, so the character
// never gets in a child's way). As a window, its shape follows the drawing,
// so it looks right even without a compositor.
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
};

// Window flags shared by the character and its balloon while they have no
// window to belong to.
Qt::WindowFlags floatingWindowFlags();

// Makes the character's widget (or its balloon) a child of the window it
// belongs to, so it moves with that window and stays under other programs.
void stageOn(QWidget* widget, QWidget* owner);

} // namespace ortolino
