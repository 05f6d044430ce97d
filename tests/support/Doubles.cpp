#include "support/Doubles.h"

namespace ortolino::test {

double ScriptedRandom::Rnd()
{
    if (!values_.empty()) {
        last_ = values_.front();
        values_.pop_front();
    }
    return last_;
}

MessageBoxes::Answer RecordingMessages::show(const Message& message)
{
    shown.push_back(message);
    if (answers.empty())
        return message.buttons == Message::Buttons::YesNo ? Answer::Yes : Answer::Ok;
    Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

QString ScriptedDialogs::ShowFileDialog(QObject*, short kind, const QString& title,
                                        const QString& initialName,
                                        const QList<FileFilter>& filters,
                                        const QString& initialFolder,
                                        const QString& defaultExtension)
{
    fileRequests.push_back({kind, title, initialName, initialFolder, defaultExtension, filters});
    if (files.empty())
        return {};
    QString answer = files.front();
    files.pop_front();
    return withDefaultExtension(answer, defaultExtension);
}

std::optional<Colore> ScriptedDialogs::ShowColorDialog(QObject*)
{
    ++colourRequests;
    if (colours.empty())
        return std::nullopt;
    auto answer = colours.front();
    colours.pop_front();
    return answer;
}

std::optional<FontChoice> ScriptedDialogs::ShowFontDialog(QObject*, int)
{
    ++fontRequests;
    if (fonts.empty())
        return std::nullopt;
    // The choice is copied out of an engaged optional only: copying a whole
    // optional here trips GCC 12's uninitialised-use warning in optimised builds.
    const bool cancelled = !fonts.front();
    const FontChoice answer = cancelled ? FontChoice() : *fonts.front();
    fonts.pop_front();
    if (cancelled)
        return std::nullopt;
    return answer;
}

void ScriptedWaiter::wait(double seconds)
{
    const size_t index = waits.size();
    waits.push_back(seconds);
    if (during)
        during(index, seconds);
    clock_.now += seconds;
}

bool RecordingPersonaggio::record(const QString& operation, const QString& call)
{
    agent_.calls << call;
    return !agent_.failing.contains(operation);
}

bool RecordingPersonaggio::MoveTo(int x, int y)
{
    return record(QStringLiteral("MoveTo"), QStringLiteral("MoveTo %1 %2").arg(x).arg(y));
}

bool RecordingPersonaggio::Show()
{
    return record(QStringLiteral("Show"), QStringLiteral("Show"));
}

bool RecordingPersonaggio::Hide()
{
    return record(QStringLiteral("Hide"), QStringLiteral("Hide"));
}

bool RecordingPersonaggio::Speak(const QString& text)
{
    return record(QStringLiteral("Speak"), QStringLiteral("Speak ") + text);
}

bool RecordingPersonaggio::Play(const QString& animation)
{
    return record(QStringLiteral("Play"), QStringLiteral("Play ") + animation);
}

bool RecordingPersonaggio::StopAll()
{
    return record(QStringLiteral("StopAll"), QStringLiteral("StopAll"));
}

bool RecordingPersonaggio::setTTSModeID(const QString& voiceId)
{
    return record(QStringLiteral("setTTSModeID"), QStringLiteral("setTTSModeID ") + voiceId);
}

bool RecordingPersonaggio::setLanguageID(int languageId)
{
    return record(QStringLiteral("setLanguageID"),
                  QStringLiteral("setLanguageID %1").arg(languageId));
}

bool RecordingPersonaggio::setBalloonFont(const QString& face, int points)
{
    return record(QStringLiteral("setBalloonFont"),
                  QStringLiteral("setBalloonFont %1 %2").arg(face).arg(points));
}

bool RecordingPersonaggio::setBalloonStyle(int style)
{
    const bool ok =
        record(QStringLiteral("setBalloonStyle"), QStringLiteral("setBalloonStyle %1").arg(style));
    if (ok)
        style_ = style;
    return ok;
}

std::unique_ptr<Personaggio> RecordingAgent::Load(const QString& name, QString* error)
{
    ++loads;
    calls << QStringLiteral("Load ") + name;
    for (const QString& known : characters) {
        if (known.compare(name, Qt::CaseInsensitive) == 0)
            return std::make_unique<RecordingPersonaggio>(*this, known);
    }
    if (error)
        *error = QStringLiteral("no character \"%1\"").arg(name);
    return nullptr;
}

} // namespace ortolino::test
