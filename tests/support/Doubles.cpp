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
    auto answer = fonts.front();
    fonts.pop_front();
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

} // namespace ortolino::test
