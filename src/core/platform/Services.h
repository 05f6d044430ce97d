#pragma once

#include <QString>

namespace ortolino {

class RandomSource;
class Clock;
class MessageBoxes;
class FontRegistry;
class Agent;
class SoundPlayer;
class ScanVoice;
class Dialogs;
class Waiter;
class DocumentOpener;
class ProgramExit;
class PrinterTarget;
class History;

// The platform seams the program talks through. The application owns the real
// ones; tests hand in their own doubles. Pointers are never owned here.
struct Services
{
    RandomSource* random = nullptr;
    Clock* clock = nullptr;
    MessageBoxes* messages = nullptr;
    FontRegistry* fonts = nullptr;
    Agent* agent = nullptr; // the speaking character component
    SoundPlayer* sounds = nullptr;
    ScanVoice* scanVoice = nullptr;      // auditory scanning; none: nothing is heard
    Dialogs* dialogs = nullptr;          // file, colour and font choosers
    Waiter* waiter = nullptr;            // the waits of the helps (Attendi)
    DocumentOpener* documents = nullptr; // the desktop's "open" for the PDFs
    ProgramExit* programExit = nullptr;  // "ESCI": the end of the program
    // Where reports are printed: the default printer, or a file in tests.
    PrinterTarget* printer = nullptr;
    // The lasting history of the exercises; none: nothing is kept.
    History* history = nullptr;
};

// Makes a font file usable by this program at once.
class FontRegistry
{
public:
    virtual ~FontRegistry() = default;
    virtual bool registerFont(const QString& path) = 0;
};

} // namespace ortolino
