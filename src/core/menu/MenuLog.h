#pragma once

#include <QString>

namespace ortolino {

struct ActivityLog;

// The heading of a chosen exercise in the activity log: the caption of its
// button in column 0 of a row of its own. When the row in use already holds
// something (the last word of the exercise before), the heading moves to the
// next row, so that word stays under its own heading. With the log full the
// heading is not written; the exercise then logs nothing either. The log is
// the user's (`ActivityLog::belongTo`) from then on.
void apriIntestazione(ActivityLog& log, const QString& utente, const QString& titolo);

} // namespace ortolino
