#pragma once

#include "core/report/ReportBuilder.h"
#include "core/report/RtfWriter.h"

#include <vector>

class QTextDocument;
class QTextEdit;

namespace ortolino {

// Performs the steps on the box, each as the box itself does it: a text step
// replaces the whole text, which comes in the box's own font and left-aligned
// (line breaks become paragraphs; formats of the old text do not carry over);
// a format step sets the size of a range of characters and the alignment of
// the paragraphs it touches.
void applyBoxSteps(QTextEdit& box, const std::vector<BoxStep>& steps);

// The box's content as an RTF document: one paragraph per block with its
// alignment, one run per stretch of text in one face and size.
RtfDocument rtfDocumentOf(const QTextDocument& document);

} // namespace ortolino
