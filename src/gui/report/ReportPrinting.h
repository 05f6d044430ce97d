#pragma once

#include "core/report/PageLayout.h"

class QPrinter;
class QTextDocument;

namespace ortolino {

struct PrintOutcome
{
    bool started = false; // false when the printer refused the job
    PrintRun run;
};

// Prints the formatted text (faces, sizes, alignment) on the printer, page
// after page, inside margins measured from the paper's edge: the printable
// area's physical offset is subtracted, so the text stands where the margins
// say on any printer. Each page holds the whole lines that fit, from the first
// character not yet printed; a line taller than the page ends the job.
PrintOutcome StampaTestoFormattato(const QTextDocument& text, QPrinter& printer,
                                   const Margins& margins);

} // namespace ortolino
