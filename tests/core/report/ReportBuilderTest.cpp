#include "core/report/ReportBuilder.h"

#include "core/app/Program.h"
#include "core/words/KeyCaptions.h"
#include "support/Doubles.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace ortolino;
using namespace ortolino::test;

namespace {

const QString kStars = QStringLiteral(" *************** ");

// The box's text after the steps, line breaks kept as CR LF.
QString replay(const std::vector<BoxStep>& steps, QString text = {})
{
    for (const BoxStep& step : steps) {
        if (step.kind == BoxStep::Kind::SetText)
            text = step.text;
        else if (step.kind == BoxStep::Kind::AppendText)
            text += step.text;
    }
    return text;
}

class ReportBuilderTest : public ::testing::Test
{
protected:
    ReportBuilderTest()
    {
        program.language.CurrentLanguage = QStringLiteral("Italiano");
        texts = ReportTexts::fromLanguage(program);
        PreparaTastiera(state());
        state().NomeUtente = QStringLiteral("MARIO");
    }
    ProgramState& state() { return program.state; }
    QString intro() const { return "MARIO\r\n\r\nData: 3/5/25\r\n\r\n\r\n"; }
    std::vector<BoxStep> rebuild()
    {
        return rebuildReport(state().NomeUtente, state(), texts, QStringLiteral("3/5/25"));
    }

    TestEnvironment env;
    TestServices seams;
    Program program{env.env(), seams.services()};
    ReportTexts texts;
};

TEST_F(ReportBuilderTest, AnEmptyLogGivesTheHeadingTheDateAndOneEmptyRow)
{
    const auto steps = rebuild();
    EXPECT_EQ(replay(steps), intro() + "\r\n");
    EXPECT_EQ(steps.front().kind, BoxStep::Kind::SetText); // the old report is discarded
    const BoxStep heading{BoxStep::Kind::Format, {}, 0, 6, 18, Alignment::Center};
    EXPECT_EQ(steps.back(), heading);
}

TEST_F(ReportBuilderTest, RowsShowTheirTitleAndOnlyFinishedDetails)
{
    auto& log = state().Registro;
    log[0] = {QStringLiteral("LETTERA INIZIALE"), QString(), QString()};
    EXPECT_EQ(replay(rebuild()),
              intro() + "\r\n" + kStars + "LETTERA INIZIALE" + kStars + "\r\n\r\n");

    log[1] = {QString(), QStringLiteral(" * CANE * "), QStringLiteral("Fatto")};
    log[2] = {QString(), QStringLiteral(" * GATTO *  (_ ATTO B) "), QStringLiteral("Fatto")};
    log[3] = {QString(), QStringLiteral(" * SOLE * "), QString()}; // left unfinished
    state().NumeroRigheRegistro = 3;
    const auto steps = rebuild();
    EXPECT_EQ(replay(steps), intro() + "\r\n" + kStars + "LETTERA INIZIALE" + kStars + "\r\n\r\n" +
                                 " * CANE * \r\n * GATTO *  (_ ATTO B) \r\n\r\n");
    const auto headings = std::count_if(steps.begin(), steps.end(), [](const BoxStep& s) {
        return s.kind == BoxStep::Kind::Format && s.points == 18;
    });
    EXPECT_EQ(headings, 4); // after every row
}

TEST_F(ReportBuilderTest, ALogIndexPastTheTableReadsOnlyItsRows)
{
    state().NumeroRigheRegistro = kRigheRegistro + 5;
    EXPECT_EQ(replay(rebuild()),
              intro() + QString(QStringLiteral("\r\n")).repeated(kRigheRegistro));
}

// The summary appended to a box that holds "report".
class SummaryTest : public ReportBuilderTest
{
protected:
    QString summary()
    {
        return replay(configurationSummary(state().NomeUtente, state(), texts),
                      QStringLiteral("report"));
    }
    const QString kLine = QStringLiteral("\r\n****************************\r\n");
};

TEST_F(SummaryTest, TheActiveLettersAreNamedByTheirKeyCaptionsInTheLetteringInForce)
{
    const struct
    {
        QString lettering;
        std::vector<int> keys; // the active ones; empty: all 26
        QString letters;
    } cases[] = {{kMaiuscolo, {0, 2, 4}, "Q E T "},
                 {kMinuscolo, {25}, "m "},
                 {kCorsivo, {10, 24}, "a n "},
                 {kMaiuscolo, {}, "tutte le lettere"}};
    state().MassimoLettere = 6;
    state().UsaTutteLeImmagini = true;
    for (const auto& c : cases) {
        state().CarattereLettere = c.lettering;
        state().LettereAttive.fill(c.keys.empty());
        for (int key : c.keys)
            state().LettereAttive[static_cast<size_t>(key)] = true;
        EXPECT_EQ(summary(), "report" + kLine + "Lettere attivate: " + c.letters +
                                 "\r\nParole con un massimo di lettere: 6\r\n"
                                 "In uso tutte le immagini disponibili")
            << c.letters.toStdString();
    }
}

TEST_F(SummaryTest, TheListInUseIsNamedAndTheFormatsFrameTheSummary)
{
    state().LettereAttive.fill(false);
    state().LettereAttive[0] = true;
    state().MassimoLettere = -1;
    state().UsaTutteLeImmagini = false;
    state().ListaInUso = QStringLiteral("/liste/animali.txt");
    EXPECT_EQ(summary(), "report" + kLine +
                             "Lettere attivate: Q \r\n"
                             "Parole con un massimo di lettere:-1\r\n"
                             "Lista di parole in uso: /liste/animali.txt");

    const auto steps = configurationSummary(state().NomeUtente, state(), texts);
    const BoxStep firstCharacter{BoxStep::Kind::Format, {}, 0, 1, 14, Alignment::Right};
    const BoxStep heading{BoxStep::Kind::Format, {}, 0, 6, 18, Alignment::Center};
    EXPECT_EQ(steps.front(), firstCharacter);
    EXPECT_EQ(steps.back(), heading);
}

} // namespace
