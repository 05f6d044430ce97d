#pragma once

#include "core/app/Program.h"
#include "core/exercise/ExerciseEngine.h"
#include "core/exercise/ExerciseView.h"
#include "support/Doubles.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace ortolino::test {

// The exercise window as the engine sees it. Calls whose order matters go into
// `events`, the character's call log, where the waits are logged too.
class RecordingView final : public ExerciseView
{
public:
    explicit RecordingView(QStringList& events) : events_(events) {}

    void setWordCaption(const QString& text) override { caption = text; }
    void showPicture(const QString& path) override { picture = path; }
    void showOutcome(bool right) override { rightIcon = right; }
    void showCounters(int right, int wrong) override
    {
        rightCount = right;
        wrongCount = wrong;
    }
    void setBalloonText(const QString& text) override
    {
        balloonText = text;
        events_ << QStringLiteral("balloon \"%1\"").arg(text);
    }
    void setBalloonVisible(bool visible) override
    {
        balloonVisible = visible;
        events_ << (visible ? QStringLiteral("balloon shown") : QStringLiteral("balloon hidden"));
    }
    void setBackground(Colore) override {}
    void colourKey(int key, Colore colour) override { keyColours[key] = colour; }
    void placeFrameOnAvanti() override { events_ << QStringLiteral("frame on avanti"); }
    void colourAvanti(Colore colour) override { avantiColour = colour; }
    void setAvantiEnabled(bool enabled) override { avantiEnabled = enabled; }
    void focusAvanti() override { events_ << QStringLiteral("focus avanti"); }
    void endExercise() override { ++endCalls; }
    void showWaitingNotice() override { events_ << QStringLiteral("notice shown"); }
    void hideWaitingNotice() override { events_ << QStringLiteral("notice hidden"); }

    QString caption, picture, balloonText;
    bool rightIcon = true, balloonVisible = false, avantiEnabled = false;
    int rightCount = -1, wrongCount = -1, endCalls = 0;
    std::map<int, Colore> keyColours;
    Colore avantiColour = -1;

private:
    QStringList& events_;
};

// A program with its own folders and doubles, an engine over a recording view
// with a recording character, and helpers for pictures, lists and letters.
class ExerciseTest : public ::testing::Test
{
protected:
    ExerciseTest();

    // Empty picture files in the picture folder ("immagini").
    void addPictures(const QStringList& names);
    // A word list in the lists folder, made the list in use.
    void useList(const QByteArray& bytes);
    // Only these letters active (e.g. "cs").
    void activate(const QString& letters);
    // The catalogue as a list of words, in the case in force.
    QStringList catalogue() const;
    // Creates the engine, builds the catalogue and shows the first word.
    ExerciseEngine& start();
    // Answers the current blanks with the right letters.
    void completeWord();

    QString programPath(const QString& relative) const { return env.env().programFile(relative); }

    TestEnvironment env;
    TestServices seams;
    Program program;
    ProgramState& state;
    QStringList& events;
    RecordingView view{events};
    std::unique_ptr<Personaggio> character;
    std::unique_ptr<ExerciseEngine> engine;
    // Runs inside the given wait (by index), after it has been logged.
    std::function<void(size_t)> duringWait;
};

} // namespace ortolino::test
