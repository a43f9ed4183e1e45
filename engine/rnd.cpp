#include "rnd.h"

#include <bit>

namespace quorvel {

namespace {
std::uint64_t Mix(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}
}  // namespace

float Rnd::Draw()
{
    state_ += 0x9e3779b97f4a7c15ULL;
    last_ = static_cast<float>(Mix(state_) >> 40) * 0x1p-24f;
    drawn_ = true;
    return last_;
}

float Rnd::Next(double x)
{
    if (x < 0) {
        state_ = Mix(std::bit_cast<std::uint64_t>(x));
        return Draw();
    }
    if (x == 0 && drawn_) return last_;
    return Draw();
}

}  // namespace quorvel
