// The words of the exercise as the lasting history keeps them: the letters
// chosen at each blank, the helps, the time. A word goes to the history once,
// when it is finished or when the exercise ends before it is, and only while
// the user's tracking is on.
#include "core/app/Program.h"
#include "core/exercise/ExerciseEngine.h"
#include "core/platform/Clock.h"

#include <QDateTime>

namespace ortolino {

namespace {

double now(const Program& program)
{
    return program.services.clock != nullptr ? program.services.clock->seconds() : 0;
}

} // namespace

void ExerciseEngine::startWordRecord()
{
    endWordRecord(false);
    WordRecord word;
    word.word = turn_.word();
    for (int i = 0; i < turn_.size(); ++i)
        if (turn_.isBlank(i))
            word.blanks.push_back({i + 1, word.word.mid(i, 1), {}});
    wordRecord_ = std::move(word);
    wordShownAt_ = now(program_);
}

void ExerciseEngine::noteChoice(int position, const QString& letter)
{
    if (!wordRecord_)
        return;
    for (BlankChoices& blank : wordRecord_->blanks)
        if (blank.position == position + 1)
            blank.chosen << letter;
}

void ExerciseEngine::noteHelp(int help)
{
    if (wordRecord_ && help >= 1 && help <= 3)
        ++wordRecord_->helps[static_cast<size_t>(help - 1)];
}

void ExerciseEngine::endWordRecord(bool finished)
{
    if (!wordRecord_)
        return;
    WordRecord word = std::move(*wordRecord_);
    wordRecord_.reset();
    const ProgramState& state = program_.state;
    History* history = program_.services.history;
    if (history == nullptr || !state.TieniTraccia)
        return;
    word.endedAt = QDateTime::currentSecsSinceEpoch();
    word.user = state.NomeUtente;
    word.language = program_.language.CurrentLanguage;
    word.exercise = state.TipoEsercizio;
    word.seconds = now(program_) - wordShownAt_;
    word.inputMode = state.ModalitaInput;
    word.finished = finished;
    history->record(word);
}

} // namespace ortolino
