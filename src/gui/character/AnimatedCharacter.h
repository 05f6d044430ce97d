#pragma once

#include "core/platform/SpeakingCharacter.h"
#include "core/speech/CharacterMotion.h"
#include "core/speech/SpeechPlayer.h"
#include "gui/character/BalloonWindow.h"
#include "gui/character/CharacterArtwork.h"
#include "gui/character/CharacterWindow.h"

#include <functional>
#include <memory>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

namespace ortolino {

// What a character needs to know about the voice it speaks with.
struct VoiceServices
{
    // True when an espeak-ng voice name is installed.
    std::function<bool(const QString&)> voiceInstalled = [](const QString&) { return false; };
    // Empty when speech can be heard; otherwise why not (no data, no device).
    std::function<QString()> silentReason = [] { return QString(); };
};

// A loaded character on screen: its figure and balloon (children of the
// window it belongs to, once it has a stage), its speech queue and its
// movements. Every operation returns at once; speech and gestures run
// on timers (and synthesis on the queue's worker thread).
class AnimatedCharacter final : public QObject, public Personaggio
{
public:
    AnimatedCharacter(const CharacterDefinition& definition,
                      std::unique_ptr<CharacterArtwork> artwork,
                      std::unique_ptr<SpeechPlayer> speech, VoiceServices voice);
    ~AnimatedCharacter() override;

    QString name() const override { return definition_.name; }
    bool MoveTo(int x, int y) override;
    bool Show() override;
    bool Hide() override;
    // Returns false when the speech will not be heard (it still runs silently:
    // the mouth moves and the balloon shows the text).
    bool Speak(const QString& text) override;
    bool Play(const QString& animation) override;
    bool StopAll() override;
    // False for an identifier that names no installed voice: the voice of the
    // language is used instead.
    bool setTTSModeID(const QString& voiceId) override;
    // False for a language number without an espeak-ng language (kept as it was).
    bool setLanguageID(int languageId) override;
    bool setBalloonFont(const QString& face, int points) override;
    int balloonStyle() const override { return balloonStyle_; }
    bool setBalloonStyle(int style) override;
    bool setStage(QObject* window, const QRect& free) override;
    QString lastError() const override { return lastError_; }

    // For tests and tools.
    CharacterWindow* window() const { return window_; }
    BalloonWindow* balloon() const { return balloon_; }
    SpeechPlayer* speech() const { return speech_.get(); }

    static constexpr int kFrameMs = 40;      // while talking, moving or in a gesture
    static constexpr int kQuietFrameMs = 80; // breathing and blinking only
    static constexpr int kBalloonLingerMs = 900;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    qint64 now() const { return clock_.elapsed(); }
    void tick();
    void ensureRunning();
    // False while the window it stands on is minimised or hidden: no frames
    // are drawn there, so none are timed.
    bool stageShown() const;
    void applyVoice();
    void onUtteranceStarted(const QString& shown);
    void onUtteranceFinished();
    void showBalloon();
    bool fail(const QString& why);
    // False once the window they stood on has taken the figure and balloon away.
    bool onStage() const { return window_ && balloon_; }

    CharacterDefinition definition_;
    std::unique_ptr<CharacterArtwork> artwork_;
    std::unique_ptr<SpeechPlayer> speech_;
    VoiceServices voice_;
    // Owned here until a stage's window owns them (and may delete them first).
    QPointer<CharacterWindow> window_;
    QPointer<BalloonWindow> balloon_;
    QRect free_; // on a stage: where the figure may stand
    CharacterMotion motion_;
    QElapsedTimer clock_;
    QTimer frames_;
    QTimer balloonLinger_;
    QString voiceName_;
    QString language_;
    int balloonStyle_ = kBalloonOn | kSizeToText;
    QString lastError_;
};

} // namespace ortolino
