#include "core/report/ReportBuilder.h"

#include "core/app/Program.h"
#include "core/words/KeyCaptions.h"
#include "core/words/WordCatalogue.h"

#include <algorithm>

namespace ortolino {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kStelle = QStringLiteral(" *************** "); // a blank, fifteen stars, a blank

BoxStep setText(const QString& text)
{
    return {BoxStep::Kind::SetText, text};
}

BoxStep append(const QString& text)
{
    return {BoxStep::Kind::AppendText, text};
}

BoxStep format(int start, int length, double points, Alignment alignment)
{
    return {BoxStep::Kind::Format, {}, start, length, points, alignment};
}

// The user's name line: 18 points, centred.
BoxStep formatHeading(const QString& nomeUtente)
{
    return format(0, static_cast<int>(nomeUtente.size()) + 1, 18, Alignment::Center);
}

// A whole number as the historic Str$ writes it: a blank stands where the sign
// of a number that is not negative would be.
QString numberWithSign(int value)
{
    return value < 0 ? QString::number(value) : QLatin1Char(' ') + QString::number(value);
}

// The block of one log row: its title between star runs, then its detail text
// when the row was finished.
QString rowPiece(const RigaRegistro& row)
{
    QString piece;
    if (!row[0].isEmpty())
        piece = kCrLf + kStelle + row[0] + kStelle + kCrLf;
    if (!row[2].isEmpty() && !row[1].isEmpty())
        piece += row[1];
    return piece + kCrLf;
}

} // namespace

ReportTexts ReportTexts::fromLanguage(Program& program)
{
    return {program.text(QStringLiteral("0032")), program.text(QStringLiteral("0028")),
            program.text(QStringLiteral("0029")), program.text(QStringLiteral("0030")),
            program.text(QStringLiteral("0031")), program.text(QStringLiteral("0235"))};
}

std::vector<BoxStep> rebuildReport(const QString& nomeUtente, const ActivityLog& log,
                                   const ReportTexts& texts, const QString& date)
{
    std::vector<BoxStep> steps = {setText(nomeUtente + kCrLf), append(kCrLf),
                                  append(texts.dateLabel + date + kCrLf), append(kCrLf),
                                  append(kCrLf)};
    // The log holds rows 0..1000; a row index outside them is never read.
    const int last = std::min(log.NumeroRigheRegistro, static_cast<int>(log.Registro.size()) - 1);
    for (int i = 0; i <= last; ++i) {
        steps.push_back(append(rowPiece(log.Registro[static_cast<size_t>(i)])));
        steps.push_back(formatHeading(nomeUtente));
    }
    return steps;
}

std::vector<BoxStep> configurationSummary(const QString& nomeUtente, const Environment& env,
                                          const ProgramState& state, const ReportTexts& texts)
{
    std::vector<BoxStep> steps = {
        format(0, 1, 14, Alignment::Right),
        append(kCrLf + QString(28, QLatin1Char('*')) + kCrLf + texts.lettersLabel)};

    const auto& active = state.LettereAttive;
    if (std::all_of(active.begin(), active.end(), [](bool on) { return on; })) {
        steps.push_back(append(texts.allLetters));
    } else {
        for (int i = 0; i < kNumeroTasti; ++i) {
            if (active[static_cast<size_t>(i)])
                steps.push_back(append(keyCaption(state, i) + QLatin1Char(' ')));
        }
    }

    steps.push_back(append(kCrLf + texts.longestLabel + numberWithSign(state.MassimoLettere)));
    steps.push_back(append(kCrLf));
    steps.push_back(append(state.UsaTutteLeImmagini
                               ? texts.allPictures
                               : texts.wordListLabel + listaPerLaLingua(env, state)));
    steps.push_back(formatHeading(nomeUtente));
    return steps;
}

} // namespace ortolino
