#include "gui/character/AnimatedCharacter.h"

#include "core/speech/VoiceMapping.h"

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
      voice_(std::move(voice)), window_(std::make_unique<CharacterWindow>(*artwork_)),
      balloon_(std::make_unique<BalloonWindow>()), motion_(timingFor(definition)),
      language_(defaultEspeakLanguage())
{
    clock_.start();
    balloon_->setBalloonFont(QFont(QStringLiteral("Arial"), 14));
    frames_.setInterval(kFrameMs);
    connect(&frames_, &QTimer::timeout, this, &AnimatedCharacter::tick);
    balloonLinger_.setSingleShot(true);
    balloonLinger_.setInterval(kBalloonLingerMs);
    connect(&balloonLinger_, &QTimer::timeout, balloon_.get(), &QWidget::hide);
    connect(speech_.get(), &SpeechPlayer::utteranceStarted, this,
            &AnimatedCharacter::onUtteranceStarted);
    connect(speech_.get(), &SpeechPlayer::utteranceFinished, this,
            &AnimatedCharacter::onUtteranceFinished);
    applyVoice();
}

AnimatedCharacter::~AnimatedCharacter()
{
    speech_->stopAll();
}

bool AnimatedCharacter::fail(const QString& why)
{
    lastError_ = why;
    return false;
}

bool AnimatedCharacter::MoveTo(int x, int y)
{
    window_->move(x, y);
    if (balloon_->isVisible())
        showBalloon();
    return true;
}

bool AnimatedCharacter::Show()
{
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
    balloon_->hide();
    ensureRunning();
    return true;
}

bool AnimatedCharacter::Speak(const QString& text)
{
    speech_->speak(parseSpeechTags(text));
    const QString silent = voice_.silentReason();
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
    balloon_->setBalloonFont(QFont(face, points));
    if (balloon_->isVisible())
        showBalloon();
    return true;
}

bool AnimatedCharacter::setBalloonStyle(int style)
{
    balloonStyle_ = style;
    balloon_->setSizeToText((style & kSizeToText) != 0);
    if ((style & kBalloonOn) == 0)
        balloon_->hide();
    return true;
}

void AnimatedCharacter::applyVoice()
{
    speech_->setVoice(voiceName_, language_);
}

void AnimatedCharacter::ensureRunning()
{
    if (!frames_.isActive())
        frames_.start();
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
    if (balloon_->isVisible())
        balloonLinger_.start();
}

// The balloon shows the current text while the character is on screen, the
// balloon is on and there is something to show.
void AnimatedCharacter::showBalloon()
{
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
    if (!motion_.visibleAt(t)) {
        window_->hide();
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
