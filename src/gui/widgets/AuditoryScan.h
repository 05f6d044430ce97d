#pragma once

#include "core/platform/ScanVoice.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

namespace ortolino {

class Program;

// Auditory scanning in a window: each item the scan reaches is said (or its
// cue played), and cut off when the scan moves on or a choice is made. The
// window tells it where the mark goes and when a choice is being made; the
// voice is the program's ScanVoice. Does nothing when the child's settings
// leave it off or the program has no voice.
class AuditoryScan
{
public:
    // The child's settings in force, the items the scan may reach (made ready
    // for speech now). Call when scanning is set up.
    void start(Program& program, const QStringList& items);
    // The scan is over (the window leaves, or the mode has no scan): silence.
    void end();
    bool on() const { return voice_ != nullptr; }

    // The mark went to `item`, named `name`. Returns how long the name takes
    // in milliseconds (0 when nothing is said): re-marking the item that is
    // being chosen says nothing again.
    int reached(const QWidget* item, const QString& name);

    // While a choice is handled (when `choice` says a key chooses): what is
    // heard is cut at once.
    class Choosing
    {
    public:
        explicit Choosing(AuditoryScan& scan, bool choice = true);
        ~Choosing();
        Choosing(const Choosing&) = delete;
        Choosing& operator=(const Choosing&) = delete;

    private:
        AuditoryScan& scan_;
        bool choice_;
    };

private:
    ScanVoice* voice_ = nullptr;
    QPointer<const QWidget> last_; // the item reached last
    int choosing_ = 0;
};

// The spoken form of a caption: without its mnemonic marks and line breaks.
QString spokenCaption(const QString& caption);

} // namespace ortolino
