#include "core/platform/Random.h"

#include <chrono>

namespace ortolino {

SystemRandom::SystemRandom()
{
    Randomize();
}

void SystemRandom::Randomize()
{
    seed(static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
}

double SystemRandom::Rnd()
{
    double value = uniform_(engine_);
    return value < 1.0 ? value : 0.0; // the distribution may round up to 1.0
}

} // namespace ortolino
