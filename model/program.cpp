#include "program.h"

// The build names the version; a build that does not says so.
#ifndef QUORVEL_VERSION
#define QUORVEL_VERSION "unknown"
#endif

namespace quorvel {

const char* const kVersion = QUORVEL_VERSION;

}  // namespace quorvel
