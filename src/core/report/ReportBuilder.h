#pragma once

#include "core/app/ProgramState.h"
#include "core/report/RtfWriter.h"

#include <QString>
#include <vector>

namespace ortolino {

class Program;
struct Environment;

// One operation on the report box. The box's text only ever changes whole:
// SetText replaces it, AppendText replaces it with the old text plus the
// addition. Format gives a range of characters a font size and its
// paragraphs an alignment. Line breaks in texts are CR LF; the box counts
// each as one character (a paragraph mark).
struct BoxStep
{
    enum class Kind
    {
        SetText,
        AppendText,
        Format
    };
    Kind kind = Kind::AppendText;
    QString text;
    int start = 0;
    int length = 0;
    double points = 0;
    Alignment alignment = Alignment::Left;

    friend bool operator==(const BoxStep&, const BoxStep&) = default;
};

// The language texts the report is made of.
struct ReportTexts
{
    QString dateLabel;     // "0032"
    QString lettersLabel;  // "0028"
    QString allLetters;    // "0029"
    QString longestLabel;  // "0030"
    QString wordListLabel; // "0031"
    QString allPictures;   // "0235": instead of the word list when every picture is in use
    static ReportTexts fromLanguage(Program& program);
};

// The report built from scratch: the user's name as a centred 18-point
// heading, the date, then one block per row of the activity log (rows 0 to
// NumeroRigheRegistro): the title between star runs, and the row's detail
// text when the row is finished.
std::vector<BoxStep> rebuildReport(const QString& nomeUtente, const ActivityLog& log,
                                   const ReportTexts& texts, const QString& date);

// The summary of the configuration in force, appended to what the box holds:
// active letters (all, or their keys' captions as the exercise window shows
// them), longest word, word list (the one the exercises use in this language).
// `nomeUtente` is the heading's name as rebuildReport wrote it.
std::vector<BoxStep> configurationSummary(const QString& nomeUtente, const Environment& env,
                                          const ProgramState& state, const ReportTexts& texts);

} // namespace ortolino
