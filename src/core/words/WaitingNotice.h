#pragma once

namespace ortolino {

// The waiting notice shown while the picture folder is read ("Attendere : sto
// caricando la lista delle immagini"). Showing it lets the window repaint
// once (pending events are processed once), so the notice is on screen during
// the scan, which itself handles no events.
class WaitingNotice
{
public:
    virtual ~WaitingNotice() = default;
    virtual void showWaitingNotice() = 0;
    virtual void hideWaitingNotice() = 0;
};

} // namespace ortolino
