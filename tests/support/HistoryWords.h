#pragma once

#include "core/history/History.h"

#include <array>
#include <QStringList>

namespace ortolino::test {

// A word of the history in Italian, its blanks given as "place:letters chosen"
// (e.g. {"1:BDC"}): the "one letter" exercise, 12.5 seconds, the automatic scan.
inline WordRecord historyWord(const QString& user, const QString& text, const QStringList& blanks,
                              qint64 endedAt, bool finished = true, std::array<int, 3> helps = {})
{
    WordRecord record;
    record.endedAt = endedAt;
    record.user = user;
    record.language = QStringLiteral("Italiano");
    record.exercise = 1;
    record.word = text;
    for (const QString& blank : blanks) {
        const int position = blank.section(QLatin1Char(':'), 0, 0).toInt();
        BlankChoices choices{position, text.mid(position - 1, 1), {}};
        for (const QChar letter : blank.section(QLatin1Char(':'), 1))
            choices.chosen << QString(letter);
        record.blanks.push_back(choices);
    }
    record.helps = helps;
    record.seconds = 12.5;
    record.inputMode = 2;
    record.finished = finished;
    return record;
}

} // namespace ortolino::test
