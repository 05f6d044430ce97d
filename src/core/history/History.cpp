#include "core/history/History.h"

#include <QDateTime>

namespace ortolino {

namespace {

constexpr qint64 kDay = 24 * 60 * 60;
// The last second of year 9999: past any clock, even one set years ahead.
constexpr qint64 kEndOfTime = 253402300799;

// A CSV field: quoted when it holds a separator, a quote or a line break, and
// when it starts with a character a spreadsheet would take for a formula.
QString csvField(const QString& text)
{
    static const QString kFormulaStarts = QStringLiteral("=+-@");
    const bool formula = !text.isEmpty() && kFormulaStarts.contains(text.front());
    if (!formula && !text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + (formula ? QStringLiteral("'") : QString()) + quoted +
           QLatin1Char('"');
}

QString nameOf(const QStringList& names, int index)
{
    return index >= 0 && index < names.size() ? names[index] : QString::number(index);
}

} // namespace

int WordRecord::wrongLetters() const
{
    int wrong = 0;
    for (const BlankChoices& blank : blanks)
        for (const QString& letter : blank.chosen)
            wrong += letter != blank.expected ? 1 : 0;
    return wrong;
}

TimeSpan spanOf(Period period, qint64 now)
{
    const qint64 to = now + 1;
    switch (period) {
    case Period::Session:
        return {0, kEndOfTime, true};
    case Period::Week:
        return {now - 7 * kDay, to};
    case Period::Month:
        return {now - 30 * kDay, to};
    case Period::All:
        break;
    }
    // Words stamped by a clock that was ahead (and has been put right since)
    // are part of the history too: "all" has no end.
    return {0, kEndOfTime};
}

ChartBars chartBars(const std::vector<DayCount>& days, size_t mostBars)
{
    const auto grouped = [&](BarLength length) {
        ChartBars chart{length, {}};
        for (const DayCount& day : days) {
            QDate first = day.day;
            if (length == BarLength::Week)
                first = day.day.addDays(1 - day.day.dayOfWeek());
            else if (length == BarLength::Month)
                first = QDate(day.day.year(), day.day.month(), 1);
            if (chart.bars.empty() || chart.bars.back().day != first)
                chart.bars.push_back({first, 0, 0});
            chart.bars.back().finished += day.finished;
            chart.bars.back().withoutError += day.withoutError;
        }
        return chart;
    };
    ChartBars chart = grouped(BarLength::Day);
    if (chart.bars.size() > mostBars)
        chart = grouped(BarLength::Week);
    if (chart.bars.size() > mostBars)
        chart = grouped(BarLength::Month);
    return chart;
}

CountScale countScale(int most)
{
    if (most <= 0)
        return {};
    constexpr int kMostSteps = 5;
    int step = 1;
    for (int unit = 1; step * kMostSteps < most; unit *= 10) {
        for (const int multiple : {1, 2, 5}) {
            step = unit * multiple;
            if (step * kMostSteps >= most)
                break;
        }
    }
    const int steps = (most + step - 1) / step;
    return {steps * step, steps + 1};
}

QString positionsText(const std::vector<BlankChoices>& blanks)
{
    QStringList parts;
    for (const BlankChoices& blank : blanks)
        parts << QString::number(blank.position);
    return parts.join(QLatin1Char(';'));
}

QString choicesText(const std::vector<BlankChoices>& blanks)
{
    QStringList parts;
    for (const BlankChoices& blank : blanks)
        parts << blank.chosen.join(QLatin1Char(','));
    return parts.join(QLatin1Char(';'));
}

std::vector<BlankChoices> blanksFromText(const QString& word, const QString& positions,
                                         const QString& choices)
{
    std::vector<BlankChoices> blanks;
    const QStringList places = positions.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    const QStringList letters = choices.split(QLatin1Char(';'));
    for (qsizetype i = 0; i < places.size(); ++i) {
        bool ok = false;
        const int position = places[i].toInt(&ok);
        if (!ok || position < 1 || position > word.size())
            continue;
        BlankChoices blank;
        blank.position = position;
        blank.expected = word.mid(position - 1, 1);
        if (i < letters.size())
            blank.chosen = letters[i].split(QLatin1Char(','), Qt::SkipEmptyParts);
        blanks.push_back(blank);
    }
    return blanks;
}

QByteArray historyCsv(const std::vector<WordRecord>& words, const CsvTexts& texts)
{
    QString csv;
    QStringList titles = texts.titles;
    while (titles.size() < kCsvColumns)
        titles << QString();
    titles.resize(kCsvColumns);
    for (QString& title : titles)
        title = csvField(title);
    csv += titles.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    for (const WordRecord& word : words) {
        const QStringList fields = {
            QDateTime::fromSecsSinceEpoch(word.endedAt)
                .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
            word.user,
            word.language,
            nameOf(texts.exercises, word.exercise),
            word.word,
            positionsText(word.blanks),
            choicesText(word.blanks),
            QString::number(word.wrongLetters()),
            QString::number(word.helps[0]),
            QString::number(word.helps[1]),
            QString::number(word.helps[2]),
            QString::number(qRound(word.seconds)),
            nameOf(texts.inputModes, word.inputMode),
            word.finished ? texts.yes : texts.no,
        };
        QStringList quoted;
        for (const QString& field : fields)
            quoted << csvField(field);
        csv += quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + csv.toUtf8();
}

} // namespace ortolino
