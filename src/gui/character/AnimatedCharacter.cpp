#include "gui/character/AnimatedCharacter.h"

#include "core/speech/VoiceMapping.h"

#include <algorithm>
#include <QEvent>

namespace ortolino {

namespace {

MotionTiming timingFor(const CharacterDefinition& definition)
{
    MotionTiming timing;
    timing.blinkEveryMs = definition.blinkEveryMs;
    timing.idleEveryMs =
        definition.animations.contains(QStringLiteral("idle")) ? definition.idleEveryMs : 0;
    return timing;
}

} // namespace

AnimatedCharacter::AnimatedCharacter(const CharacterDefinition& definition,
                                     std::unique_ptr<CharacterArtwork> artwork,
                                     std::unique_ptr<SpeechPlayer> speech, VoiceServices voice)
    : definition_(definition), artwork_(std::move(artwork)), speech_(std::move(speech)),
      voice_(std::move(voice)), window_(new CharacterWindow(*artwork_)),
      balloon_(new BalloonWindow()), motion_(timingFor(definition)),
      language_(defaultEspeakLanguage())
{
    clock_.start();
    balloon_->setBalloonFont(QFont(QStringLiteral("Arial"), 14));
    frames_.setInterval(kFrameMs);
    connect(&frames_, &QTimer::timeout, this, &AnimatedCharacter::tick);
    balloonLinger_.setSingleShot(true);
    balloonLinger_.setInterval(kBalloonLingerMs);
    connect(&balloonLinger_, &QTimer::timeout, balloon_, &QWidget::hide);
    connect(speech_.get(), &SpeechPlayer::utteranceStarted, this,
            &AnimatedCharacter::onUtteranceStarted);
    connect(speech_.get(), &SpeechPlayer::utteranceFinished, this,
            &AnimatedCharacter::onUtteranceFinished);
    applyVoice();
}

AnimatedCharacter::~AnimatedCharacter()
{
    speech_->stopAll();
    delete balloon_.data();
    delete window_.data();
}

bool AnimatedCharacter::fail(const QString& why)
{
    lastError_ = why;
    return false;
}

bool AnimatedCharacter::MoveTo(int x, int y)
{
    if (!onStage())
        return fail(QStringLiteral("the window it stood on is gone"));
    QPoint at(x, y);
    if (!window_->isWindow()) {
        // On a stage: the point in the stage's terms, the figure kept in its
        // free area (when it is large enough to hold it).
        at = window_->parentWidget()->mapFromGlobal(at);
        const QSize size = window_->size();
        at.setX(std::clamp(at.x(), free_.left(),
                           std::max(free_.left(), free_.right() + 1 - size.width())));
        at.setY(std::clamp(at.y(), free_.top(),
                           std::max(free_.top(), free_.bottom() + 1 - size.height())));
    }
    window_->move(at);
    if (balloon_->isVisible())
        showBalloon();
    return true;
}

bool AnimatedCharacter::Show()
{
    if (!onStage())
        return fail(QStringLiteral("the window it stood on is gone"));
    motion_.show(now());
    window_->setFrame(motion_.poseAt(now(), speech_->isSpeaking()), speech_->mouth());
    window_->show();
    window_->raise();
    ensureRunning();
    if (speech_->isSpeaking())
        showBalloon();
    return true;
}

bool AnimatedCharacter::Hide()
{
    motion_.hide(now());
    if (balloon_)
        balloon_->hide();
    ensureRunning();
    return true;
}

bool AnimatedCharacter::Speak(const QString& text)
{
    speech_->speak(parseSpeechTags(text));
    QString silent = voice_.silentReason();
    if (silent.isEmpty() && speech_->outputRefused())
        silent = QStringLiteral("no audio device: the output refuses to play");
    return silent.isEmpty() || fail(silent);
}

bool AnimatedCharacter::Play(const QString& animation)
{
    const QString key = animation.trimmed().toLower();
    const auto found = definition_.animations.constFind(key);
    if (found == definition_.animations.constEnd())
        return fail(QStringLiteral("%1 has no animation \"%2\"").arg(definition_.name, animation));
    motion_.play(key, int(found->frames.size()), found->frameMs, found->loops, now());
    ensureRunning();
    return true;
}

bool AnimatedCharacter::StopAll()
{
    speech_->stopAll();
    motion_.stopGesture();
    balloonLinger_.stop();
    if (balloon_)
        balloon_->hide();
    return true;
}

bool AnimatedCharacter::setTTSModeID(const QString& voiceId)
{
    voiceName_ = voiceNameFromId(voiceId);
    applyVoice();
    if (voiceName_.isEmpty() || !voice_.voiceInstalled(voiceName_))
        return fail(
            QStringLiteral("no installed voice %1: the language's voice speaks").arg(voiceId));
    return true;
}

bool AnimatedCharacter::setLanguageID(int languageId)
{
    const QString language = espeakLanguageForId(languageId);
    if (language.isEmpty())
        return fail(QStringLiteral("no speech for language %1").arg(languageId));
    language_ = language;
    applyVoice();
    return true;
}

bool AnimatedCharacter::setBalloonFont(const QString& face, int points)
{
    if (face.trimmed().isEmpty() || points <= 0)
        return fail(QStringLiteral("bad balloon font"));
    if (!balloon_)
        return fail(QStringLiteral("the window it stood on is gone"));
    balloon_->setBalloonFont(QFont(face, points));
    if (balloon_->isVisible())
        showBalloon();
    return true;
}

bool AnimatedCharacter::setBalloonStyle(int style)
{
    balloonStyle_ = style;
    if (!balloon_)
        return fail(QStringLiteral("the window it stood on is gone"));
    balloon_->setSizeToText((style & kSizeToText) != 0);
    if ((style & kBalloonOn) == 0)
        balloon_->hide();
    return true;
}

bool AnimatedCharacter::setStage(QObject* window, const QRect& free)
{
    auto* owner = qobject_cast<QWidget*>(window);
    if (owner == nullptr || !onStage())
        return fail(QStringLiteral("no window to stand on"));
    const QPoint at = window_->mapToGlobal(QPoint(0, 0));
    if (QWidget* old = window_->window(); old != window_)
        old->removeEventFilter(this);
    owner->window()->installEventFilter(this);
    stageOn(window_, owner);
    stageOn(balloon_, owner);
    free_ = free;
    balloon_->setArea(free);
    MoveTo(at.x(), at.y()); // kept inside the new free area
    return true;
}

void AnimatedCharacter::applyVoice()
{
    speech_->setVoice(voiceName_, language_);
}

bool AnimatedCharacter::stageShown() const
{
    const QWidget* top = window_->window();
    return top == window_ || (top->isVisible() && !top->isMinimized());
}

void AnimatedCharacter::ensureRunning()
{
    if (!frames_.isActive() && onStage() && stageShown())
        frames_.start();
}

// The classroom's program stays open all day, often minimised: the frames stop
// with the window and start again with it. (A window merely covered by another
// is not told so on X11, and keeps its frames.)
bool AnimatedCharacter::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::WindowStateChange:
    case QEvent::Show:
    case QEvent::Hide:
        if (onStage() && !stageShown())
            frames_.stop();
        else
            ensureRunning();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void AnimatedCharacter::onUtteranceStarted(const QString& /*shown*/)
{
    balloonLinger_.stop();
    motion_.noteActivity(now());
    showBalloon();
    ensureRunning();
}

void AnimatedCharacter::onUtteranceFinished()
{
    if (balloon_ && balloon_->isVisible())
        balloonLinger_.start();
}

// The balloon shows the current text while the character is on screen, the
// balloon is on and there is something to show.
void AnimatedCharacter::showBalloon()
{
    if (!onStage())
        return;
    const QString shown = speech_->shownText().trimmed();
    if (!motion_.isShown() || (balloonStyle_ & kBalloonOn) == 0 || shown.isEmpty()) {
        balloon_->hide();
        return;
    }
    balloon_->present(shown, window_->geometry(), window_->pos() + definition_.balloonAnchor);
}

void AnimatedCharacter::tick()
{
    const qint64 t = now();
    const bool speaking = speech_->isSpeaking();
    if (!onStage()) {
        frames_.stop();
        return;
    }
    if (!motion_.visibleAt(t)) {
        window_->hide();
        frames_.stop();
        return;
    }
    if (!stageShown()) {
        frames_.stop();
        return;
    }
    if (motion_.takeIdleTurn(t, speaking))
        Play(QStringLiteral("idle"));
    const CharacterPose pose = motion_.poseAt(t, speaking);
    window_->setFrame(pose, speech_->mouth());
    const bool quiet = !speaking && pose.gesture.isEmpty() && pose.scale == 1.0;
    frames_.setInterval(quiet ? kQuietFrameMs : kFrameMs);
}

} // namespace ortolino
