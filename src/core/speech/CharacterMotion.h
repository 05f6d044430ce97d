#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

namespace ortolino {

// How a character is drawn at one moment: the transform of the whole figure
// and which eyes and pose frame show. The mouth comes from the speech.
struct CharacterPose
{
    double scale = 1.0; // about the middle of the feet
    double opacity = 1.0;
    double lift = 0.0; // pixels upwards
    double tilt = 0.0; // degrees, clockwise
    bool eyesClosed = false;
    QString gesture; // the gesture playing, or empty
    int gestureFrame = -1;
};

struct MotionTiming
{
    int showMs = 450;
    int hideMs = 300;
    int blinkEveryMs = 4000; // 0: never
    int blinkMs = 130;
    int breathMs = 2800; // one slow rise and fall when idle
    double breathPixels = 2.0;
    int nodMs = 700; // one nod while speaking
    double nodDegrees = 2.5;
    int idleEveryMs = 0; // quiet time before the idle gesture; 0: never
};

// The character's movement over time, as a pure function of the clock (in
// milliseconds): show and hide transitions (a hop in, a shrink out), breathing,
// blinking at slightly irregular intervals, nodding while speaking, and the
// frames of a gesture. Windows ask poseAt() on every frame.
class CharacterMotion
{
public:
    explicit CharacterMotion(MotionTiming timing = {}) : timing_(timing) {}

    void show(qint64 now);
    void hide(qint64 now);
    bool isShown() const { return shown_; }
    // Still on screen: shown, or hidden with the shrink not over yet.
    bool visibleAt(qint64 now) const;

    void play(const QString& gesture, int frames, int frameMs, int loops, qint64 now);
    void stopGesture() { gesture_.clear(); }
    bool gestureRunning(qint64 now) const;

    // Something happened (speech, a gesture): the idle gesture waits again.
    void noteActivity(qint64 now) { lastActivity_ = now; }
    // True when the idle gesture is due (and notes it as activity).
    bool takeIdleTurn(qint64 now, bool speaking);

    CharacterPose poseAt(qint64 now, bool speaking) const;

private:
    bool blinking(qint64 now) const;

    MotionTiming timing_;
    bool shown_ = false;
    qint64 changedAt_ = -1000000; // when show or hide was last called
    QString gesture_;
    int frames_ = 0;
    int frameMs_ = 1;
    int loops_ = 1;
    qint64 gestureStart_ = 0;
    qint64 lastActivity_ = 0;
};

// Where a speech balloon goes: its body, and the tip of its tail.
struct BalloonPlacement
{
    QRect body;
    QPoint tip;
};

// Places a balloon body of a size so that its tail (of a length) points at the
// anchor, a point of the character: above the character when there is room on
// the screen, else beside it (right, then left), else below, always inside the
// screen.
BalloonPlacement placeBalloon(const QRect& character, const QPoint& anchor, const QSize& body,
                              int tail, const QRect& screen);

} // namespace ortolino
