#include "gui/widgets/AuditoryScan.h"

#include "core/app/Program.h"

namespace ortolino {

void AuditoryScan::start(Program& program, const QStringList& items)
{
    end();
    const ProgramState& state = program.state;
    if (!state.auditoryScanning || program.services.scanVoice == nullptr)
        return;
    voice_ = program.services.scanVoice;
    ScanVoiceSetup setup;
    setup.voiceId = state.ModoVoce;
    setup.languageId = state.LinguaAgente.trimmed().toInt();
    setup.speed = state.VelocitaVoce;
    setup.pitch = state.TonoVoce;
    setup.style =
        state.auditoryStyle == AuditoryStyle::Cue ? ScanSoundStyle::Cue : ScanSoundStyle::Name;
    voice_->prepare(setup, items);
}

void AuditoryScan::end()
{
    if (voice_ != nullptr)
        voice_->stop();
    voice_ = nullptr;
    last_ = nullptr;
}

int AuditoryScan::reached(const QWidget* item, const QString& name)
{
    if (voice_ == nullptr || (choosing_ > 0 && item == last_))
        return 0;
    last_ = item;
    return voice_->speak(name);
}

AuditoryScan::Choosing::Choosing(AuditoryScan& scan, bool choice) : scan_(scan), choice_(choice)
{
    if (choice_ && scan_.choosing_++ == 0 && scan_.voice_ != nullptr)
        scan_.voice_->stop();
}

AuditoryScan::Choosing::~Choosing()
{
    if (choice_)
        --scan_.choosing_;
}

QString spokenCaption(const QString& caption)
{
    QString spoken = caption;
    spoken.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    spoken.remove(u'&');
    spoken.replace(u'\x01', u'&');
    return spoken.simplified();
}

} // namespace ortolino
