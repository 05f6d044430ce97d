#pragma once

#include <csignal>
#include <sys/resource.h>

namespace ortolino::test {

// Runs the call with room for 8 KiB per file only, as on a full disk.
template <typename F> auto whileTheDiskIsFull(F call)
{
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 8 * 1024;
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    const auto result = call();
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldSignal);
    return result;
}

} // namespace ortolino::test
