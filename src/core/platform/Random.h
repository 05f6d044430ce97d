#pragma once

#include <cstdint>
#include <random>

namespace ortolino {

// Source of uniform random numbers in [0, 1). Tests script it.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual double Rnd() = 0;
    // Seeds the generator from the system clock (a scripted source ignores it).
    virtual void Randomize() {}
};

// The program's generator, seeded once from the clock at start-up.
class SystemRandom final : public RandomSource
{
public:
    SystemRandom();
    void seed(std::uint64_t value) { engine_.seed(value); }
    void Randomize() override;
    double Rnd() override;

private:
    std::mt19937_64 engine_;
    std::uniform_real_distribution<double> uniform_{0.0, 1.0};
};

} // namespace ortolino
