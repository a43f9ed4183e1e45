#pragma once
// The pseudo-random generator behind rnd: splitmix64, reduced to a
// single-precision value in [0, 1) with 24 random bits.
#include <cstdint>

namespace quorvel {

class Rnd {
public:
    // x < 0: reseed from x, so the same x always gives the same value;
    // x = 0: the last value again (the next one if none was drawn yet);
    // x > 0: the next value of the sequence.
    float Next(double x);

private:
    float Draw();

    std::uint64_t state_ = 0x5175'6f72'7665'6c21ULL;  // fixed start: runs repeat
    float last_ = 0;
    bool drawn_ = false;
};

}  // namespace quorvel
