#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace quorvel::cli {

// Exit codes besides 0 (result), 1 (syntax message), 2 (divisor zero or a
// failure) and kUsageExit (program.h).
inline constexpr int kBadInputLine = 65;
inline constexpr int kNoInput = 66;  // --file names no file that loads

// The whole companion: arguments without the program name.
int Run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace quorvel::cli
