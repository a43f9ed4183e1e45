#pragma once
// What the window and the companion say alike on their command lines.

namespace quorvel {

// The version both programs print.
extern const char* const kVersion;

// The exit status of a command line that makes no sense (EX_USAGE).
inline constexpr int kUsageExit = 64;

}  // namespace quorvel
