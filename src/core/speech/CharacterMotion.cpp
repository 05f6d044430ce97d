#include "core/speech/CharacterMotion.h"

#include <algorithm>
#include <cmath>
#include <QtMath>

namespace ortolino {

namespace {

double clamp01(double x)
{
    return std::clamp(x, 0.0, 1.0);
}

// Ease-out with a little overshoot: the character pops into place.
double easeOutBack(double t)
{
    constexpr double s = 1.9;
    const double u = t - 1.0;
    return 1.0 + u * u * ((s + 1.0) * u + s);
}

// A repeatable scatter for blink k, in [-0.3, 0.3] of the interval.
double blinkJitter(qint64 k)
{
    const quint32 h = quint32(k) * 2654435761u;
    return (double((h >> 8) % 1000) / 1000.0 - 0.5) * 0.6;
}

} // namespace

void CharacterMotion::show(qint64 now)
{
    if (shown_)
        return;
    shown_ = true;
    changedAt_ = now;
    lastActivity_ = now;
}

void CharacterMotion::hide(qint64 now)
{
    if (!shown_)
        return;
    shown_ = false;
    changedAt_ = now;
}

bool CharacterMotion::visibleAt(qint64 now) const
{
    return shown_ || now - changedAt_ < timing_.hideMs;
}

void CharacterMotion::play(const QString& gesture, int frames, int frameMs, int loops, qint64 now)
{
    gesture_ = gesture;
    frames_ = std::max(1, frames);
    frameMs_ = std::max(1, frameMs);
    loops_ = std::max(1, loops);
    gestureStart_ = now;
    lastActivity_ = now;
}

bool CharacterMotion::gestureRunning(qint64 now) const
{
    return !gesture_.isEmpty() && now - gestureStart_ < qint64(frames_) * frameMs_ * loops_;
}

bool CharacterMotion::takeIdleTurn(qint64 now, bool speaking)
{
    if (speaking || gestureRunning(now))
        lastActivity_ = now;
    if (timing_.idleEveryMs <= 0 || !shown_ || now - lastActivity_ < timing_.idleEveryMs)
        return false;
    lastActivity_ = now;
    return true;
}

bool CharacterMotion::blinking(qint64 now) const
{
    const int every = timing_.blinkEveryMs;
    if (every <= 0 || now < 0)
        return false;
    const qint64 k = now / every;
    // Blink k starts near the middle of its interval, scattered by the jitter.
    for (qint64 j : {k - 1, k}) {
        const qint64 start = j * every + every / 2 + qint64(blinkJitter(j) * every);
        if (now >= start && now < start + timing_.blinkMs)
            return true;
    }
    return false;
}

CharacterPose CharacterMotion::poseAt(qint64 now, bool speaking) const
{
    CharacterPose pose;
    const double since = double(now - changedAt_);
    if (shown_ && since < timing_.showMs) {
        const double t = clamp01(since / timing_.showMs);
        pose.scale = 0.2 + 0.8 * easeOutBack(t);
        pose.opacity = clamp01(t * 2.5);
        pose.lift = 14.0 * std::sin(M_PI * t);
    } else if (!shown_) {
        const double t = clamp01(since / timing_.hideMs);
        pose.scale = 1.0 - 0.8 * t * t;
        pose.opacity = 1.0 - t;
    }
    const double breath = 2.0 * M_PI * double(now % timing_.breathMs) / timing_.breathMs;
    pose.lift += timing_.breathPixels * (0.5 - 0.5 * std::cos(breath));
    if (speaking) {
        const double nod = 2.0 * M_PI * double(now % timing_.nodMs) / timing_.nodMs;
        pose.tilt = timing_.nodDegrees * std::sin(nod);
    }
    pose.eyesClosed = blinking(now);
    if (gestureRunning(now)) {
        pose.gesture = gesture_;
        pose.gestureFrame = int(((now - gestureStart_) / frameMs_) % frames_);
    }
    return pose;
}

BalloonPlacement placeBalloon(const QRect& character, const QPoint& anchor, const QSize& body,
                              int tail, const QRect& screen)
{
    const auto fitX = [&](int left) {
        return std::clamp(left, screen.left(),
                          std::max(screen.left(), screen.right() + 1 - body.width()));
    };
    const auto fitY = [&](int top) {
        return std::clamp(top, screen.top(),
                          std::max(screen.top(), screen.bottom() + 1 - body.height()));
    };
    // Above: the tail drops from the body's bottom to the anchor.
    const int aboveTop = anchor.y() - tail - body.height();
    if (aboveTop >= screen.top())
        return {QRect(QPoint(fitX(anchor.x() - body.width() / 2), aboveTop), body), anchor};
    const int centredTop = fitY(anchor.y() - body.height() / 2);
    const QPoint sideTip(character.right() - character.width() / 4, anchor.y());
    if (character.right() + tail + body.width() <= screen.right() + 1)
        return {QRect(QPoint(character.right() + 1 + tail, centredTop), body), sideTip};
    const QPoint leftTip(character.left() + character.width() / 4, anchor.y());
    if (character.left() - tail - body.width() >= screen.left())
        return {QRect(QPoint(character.left() - tail - body.width(), centredTop), body), leftTip};
    const QPoint bottomTip(anchor.x(), character.bottom() - character.height() / 8);
    return {QRect(QPoint(fitX(anchor.x() - body.width() / 2), fitY(character.bottom() + 1 + tail)),
                  body),
            bottomTip};
}

} // namespace ortolino
