#pragma once

#include <memory>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

class QObject;

namespace ortolino {

// One loaded speaking character, as the windows drive it. Every operation
// returns at once and tells whether it worked, so that callers can skip a
// failing step and go on with the next.
class Personaggio
{
public:
    // Balloon style bits.
    static constexpr int kBalloonOn = 1;
    static constexpr int kSizeToText = 2;

    virtual ~Personaggio() = default;

    virtual QString name() const = 0;
    virtual bool MoveTo(int x, int y) = 0; // screen pixels
    virtual bool Show() = 0;
    virtual bool Hide() = 0;
    // Queues a text; the "\Spd=n\", "\Pit=n\" and "\Map="spoken"="shown"\" tags apply.
    virtual bool Speak(const QString& text) = 0;
    virtual bool Play(const QString& animation) = 0; // e.g. "write"
    virtual bool StopAll() = 0;                      // ends queued speech and animations at once

    virtual bool setTTSModeID(const QString& voiceId) = 0;
    virtual bool setLanguageID(int languageId) = 0;
    virtual bool setBalloonFont(const QString& face, int points) = 0;
    virtual int balloonStyle() const = 0;
    virtual bool setBalloonStyle(int style) = 0;
    // Ties the character and its balloon to a window (a widget): they move
    // with it and never stand above other programs. `free` (in the window's
    // coordinates) is where they may stand without covering the window's work;
    // MoveTo's points are kept inside it. Without a stage the character has
    // windows of its own.
    virtual bool setStage(QObject* window, const QRect& free)
    {
        static_cast<void>(window);
        static_cast<void>(free);
        return true;
    }

    // Why the last operation that returned false failed.
    virtual QString lastError() const { return {}; }
};

// An installed text-to-speech voice.
struct Voce
{
    QString name;
    QString id;       // the identifier as stored in profiles, e.g. "{it}"
    QString language; // its first language, e.g. "it"
};

// The character component: loads characters by name and lists what is
// installed. Loading reports a missing or corrupt file as an error.
class Agent
{
public:
    virtual ~Agent() = default;
    // The character, or nullptr with a reason in *error.
    virtual std::unique_ptr<Personaggio> Load(const QString& name, QString* error) = 0;
    // Names of the character files found (file name without extension).
    virtual QStringList characterNames() const = 0;
    virtual QList<Voce> voices() const = 0;
};

// Short sounds played without waiting; false when nothing could be played.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    virtual bool play(const QString& wavPath) = 0;
};

} // namespace ortolino
