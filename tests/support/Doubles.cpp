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

} // namespace ortolino::test
