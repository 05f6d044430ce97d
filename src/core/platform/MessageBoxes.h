#pragma once

#include <QString>

namespace ortolino {

// A message to the user in a modal box. Real boxes are QMessageBox; tests
// record the messages and answer them without ever blocking.
struct Message
{
    enum class Icon
    {
        None,
        Information,
        Warning,
        Critical,
        Question
    };
    enum class Buttons
    {
        Ok,
        YesNo
    };

    QString text;
    QString title = QStringLiteral("Ortolino");
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    // "Yes" throws something away for good: "No" is then the default button,
    // so that a stray Enter keeps it.
    bool yesDestroys = false;
};

// A Yes/No question whose "Yes" throws something away for good.
inline Message destructiveQuestion(const QString& text)
{
    Message question;
    question.text = text;
    question.icon = Message::Icon::Question;
    question.buttons = Message::Buttons::YesNo;
    question.yesDestroys = true;
    return question;
}

class MessageBoxes
{
public:
    enum class Answer
    {
        Ok,
        Yes,
        No
    };

    virtual ~MessageBoxes() = default;
    virtual Answer show(const Message& message) = 0;
};

} // namespace ortolino
