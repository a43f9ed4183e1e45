# Hooked in by the fuzz and coverage presets through
# CMAKE_PROJECT_Quorvel_INCLUDE: reads fuzz/CMakeLists.txt once the whole
# tree has been read, so that the targets it links against and the
# project's settings exist. (A deferred call may not add a subdirectory, so
# the file is included into the top-level directory.)
set(QUORVEL_FUZZ_DIR "${CMAKE_CURRENT_LIST_DIR}")
option(QUORVEL_FUZZ_REPLAY "Link the fuzz targets with a plain replay main instead of libFuzzer" OFF)
# Arguments of a deferred call are expanded when it runs, in the top-level
# directory, where QUORVEL_FUZZ_DIR is still set.
cmake_language(DEFER CALL include "${QUORVEL_FUZZ_DIR}/CMakeLists.txt")
