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
    if (during)
        during(message);
    if (answers.empty())
        return message.buttons == Message::Buttons::YesNo ? Answer::Yes : Answer::Ok;
    Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

QString ScriptedDialogs::ShowFileDialog(QObject*, short kind, const QString&,
                                        const QString& initialName, const QList<FileFilter>&,
                                        const QString& initialFolder,
                                        const QString& defaultExtension, const QStringList& places)
{
    fileRequests.push_back({kind, initialName, initialFolder, defaultExtension, places});
    if (files.empty())
        return {};
    QString answer = files.front();
    files.pop_front();
    return withDefaultExtension(answer, defaultExtension);
}

std::optional<Colore> ScriptedDialogs::ShowColorDialog(QObject*, Colore)
{
    if (colours.empty())
        return std::nullopt;
    auto answer = colours.front();
    colours.pop_front();
    return answer;
}

std::optional<FontChoice> ScriptedDialogs::ShowFontDialog(QObject*, const FontChoice& current)
{
    fontStarts.push_back(current);
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

bool RecordingPersonaggio::log(const char* operation, const QString& call)
{
    agent_.calls << call;
    return !agent_.failing.contains(QString::fromLatin1(operation));
}

std::unique_ptr<Personaggio> RecordingAgent::Load(const QString& name, QString* error)
{
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
