#pragma once

#include <array>
#include <csignal>
#include <memory>

class QSocketNotifier;

namespace ortolino {

// While it lives, a request from the system to stop (SIGTERM as the machine
// shuts down, SIGHUP as the session ends, SIGINT from a terminal) ends the
// event loops as "ESCI" does: the windows close and the history writes the
// word in progress, instead of the process vanishing in the middle of it.
// One at a time; the signals' earlier handling comes back with its end.
class TerminationSignals
{
public:
    TerminationSignals();
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // False when the signals could not be taken (no socket pair).
    bool active() const { return notifier_ != nullptr; }

private:
    std::array<int, 2> sockets_{-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
    std::array<struct sigaction, 3> previous_{};
};

} // namespace ortolino
