#pragma once

#include "core/platform/Clock.h"
#include "core/platform/Dialogs.h"
#include "core/platform/DocumentOpener.h"
#include "core/platform/MessageBoxes.h"
#include "core/platform/Random.h"
#include "core/platform/ScanVoice.h"
#include "core/platform/Services.h"
#include "core/platform/SpeakingCharacter.h"
#include "core/platform/Waiter.h"

#include <deque>
#include <functional>
#include <QStringList>
#include <vector>

namespace ortolino::test {

// Returns the scripted numbers in order, then repeats the last one.
class ScriptedRandom final : public RandomSource
{
public:
    ScriptedRandom(std::initializer_list<double> values = {0.0}) : values_(values) {}
    void push(double value) { values_.push_back(value); }
    double Rnd() override;
    int randomizeCalls = 0;
    void Randomize() override { ++randomizeCalls; }

private:
    std::deque<double> values_;
    double last_ = 0.0;
};

// A clock that only moves when told to.
class ManualClock final : public Clock
{
public:
    double seconds() const override { return now; }
    double now = 0.0;
};

// Records every message and answers with the scripted answers (Ok / Yes by default).
class RecordingMessages final : public MessageBoxes
{
public:
    Answer show(const Message& message) override;
    std::vector<Message> shown;
    std::deque<Answer> answers;
    std::function<void(const Message&)> during; // runs while the box would be up
};

// Returns at once and moves the manual clock on by the time asked. What a test
// puts in `during` runs inside the wait (before the clock moves), as an event
// handled while the program waits would; it gets the wait's index.
class ScriptedWaiter final : public Waiter
{
public:
    explicit ScriptedWaiter(ManualClock& clock) : clock_(clock) {}
    void wait(double seconds) override;
    std::vector<double> waits;
    std::function<void(size_t index, double seconds)> during;

private:
    ManualClock& clock_;
};

class RecordingFonts final : public FontRegistry
{
public:
    bool registerFont(const QString& path) override
    {
        registered << path;
        return true;
    }
    QStringList registered;
};

// Answers each dialog from its own script; an empty script means "cancelled".
class ScriptedDialogs final : public Dialogs
{
public:
    struct FileRequest
    {
        short kind;
        QString initialName, initialFolder, defaultExtension;
        QStringList places;
    };

    QString ShowFileDialog(QObject* owner, short kind, const QString& title,
                           const QString& initialName, const QList<FileFilter>& filters,
                           const QString& initialFolder, const QString& defaultExtension,
                           const QStringList& places) override;
    std::optional<Colore> ShowColorDialog(QObject* owner, Colore current) override;
    std::optional<FontChoice> ShowFontDialog(QObject* owner, const FontChoice& current) override;

    std::deque<QString> files; // "" = cancelled
    std::deque<std::optional<Colore>> colours;
    std::deque<std::optional<FontChoice>> fonts;
    std::vector<FileRequest> fileRequests;
    std::vector<FontChoice> fontStarts; // what each font dialog opened on
};

// Records the documents handed to the desktop, which takes them unless told
// it has no viewer.
class RecordingOpener final : public DocumentOpener
{
public:
    bool open(const QString& path, std::function<void()>) override
    {
        opened << path;
        return hasViewer;
    }
    QStringList opened;
    bool hasViewer = true;
};

// Counts the requests to end the program; the test process goes on.
class RecordingExit final : public ProgramExit
{
public:
    void endNow() override { ++requests; }
    int requests = 0;
};

class RecordingAgent;

// A character that records every call as a line of text ("Show",
// "MoveTo 10 20", "Speak \Spd=130\hello", "setBalloonStyle 3", ...) in its
// agent's log, and fails the operations named in the agent's `failing` set.
class RecordingPersonaggio final : public Personaggio
{
public:
    RecordingPersonaggio(RecordingAgent& agent, const QString& name) : agent_(agent), name_(name) {}

    QString name() const override { return name_; }
    bool MoveTo(int x, int y) override
    {
        return record("MoveTo", QStringLiteral("%1 %2").arg(x).arg(y));
    }
    bool Show() override { return record("Show"); }
    bool Hide() override { return record("Hide"); }
    bool Speak(const QString& text) override { return record("Speak", text); }
    bool Play(const QString& animation) override { return record("Play", animation); }
    bool StopAll() override { return record("StopAll"); }
    bool setTTSModeID(const QString& voiceId) override { return record("setTTSModeID", voiceId); }
    bool setLanguageID(int id) override { return record("setLanguageID", QString::number(id)); }
    bool setBalloonFont(const QString& face, int points) override
    {
        return record("setBalloonFont", face + QStringLiteral(" %1").arg(points));
    }
    int balloonStyle() const override { return style_; }
    bool setBalloonStyle(int style) override
    {
        const bool ok = record("setBalloonStyle", QString::number(style));
        style_ = ok ? style : style_;
        return ok;
    }

private:
    // Logs "operation" or "operation arguments"; fails when the operation is
    // in `failing`.
    bool record(const char* operation) { return log(operation, QString::fromLatin1(operation)); }
    bool record(const char* operation, const QString& arguments)
    {
        return log(operation, QString::fromLatin1(operation) + QLatin1Char(' ') + arguments);
    }
    bool log(const char* operation, const QString& call);

    RecordingAgent& agent_;
    QString name_;
    int style_ = 0;
};

// Loads recording characters: every name in `characters` (any letter case)
// loads, others fail with an error. `calls` holds what the characters did,
// oldest first; a character may be used only while its agent lives.
class RecordingAgent final : public Agent
{
public:
    std::unique_ptr<Personaggio> Load(const QString& name, QString* error) override;
    QStringList characterNames() const override { return characters; }
    QList<Voce> voices() const override
    {
        return {{QStringLiteral("Italian"), QStringLiteral("{it}"), "it"},
                {QStringLiteral("English (America)"), QStringLiteral("{en-US}"), "en-us"}};
    }

    QStringList characters{QStringLiteral("Merlin"), QStringLiteral("Peedy")};
    QStringList failing; // operation names, e.g. "Speak", "Play"
    QStringList calls;
};

// Records the sounds asked for; answers with `result`.
class RecordingSounds final : public SoundPlayer
{
public:
    bool play(const QString& wavPath) override
    {
        played << wavPath;
        return result;
    }
    QStringList played;
    bool result = true;
};

// Records auditory scanning as lines: "prepare a,bi,ci", "speak bi", "stop".
class RecordingScanVoice final : public ScanVoice
{
public:
    void prepare(const ScanVoiceSetup& setup, const QStringList& items) override
    {
        prepared = setup;
        calls << QStringLiteral("prepare ") + items.join(u',');
    }
    int speak(const QString& item) override
    {
        calls << QStringLiteral("speak ") + item;
        return lengthMs;
    }
    void stop() override { calls << QStringLiteral("stop"); }

    QStringList calls;
    ScanVoiceSetup prepared;
    int lengthMs = 300; // what every item takes
};

// A full set of doubles, wired into a Services value.
struct TestServices
{
    ScriptedRandom random;
    ManualClock clock;
    RecordingMessages messages;
    RecordingFonts fonts;
    ScriptedDialogs dialogs;
    ScriptedWaiter waiter{clock};
    RecordingOpener documents;
    RecordingExit programExit;
    RecordingAgent agent;
    RecordingSounds sounds;
    RecordingScanVoice scanVoice;
    // In the fields' order; every field has a type of its own, so no other order compiles.
    Services services()
    {
        return {&random,  &clock,  &messages,  &fonts,       &agent,  &sounds, &scanVoice,
                &dialogs, &waiter, &documents, &programExit, nullptr, nullptr};
    }
};

} // namespace ortolino::test
