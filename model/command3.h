#pragma once
// The open and save buttons: ask the dialog for a name, then do the file work.
#include <cstdint>

#include "common_dialog.h"
#include "expression_file.h"
#include "window_model.h"

namespace quorvel {

// Index 0 loads the file chosen in the open dialog, when it is an existing
// ordinary file; index 1 saves to the name chosen in the save dialog. An
// empty name does nothing, and so does any other index. True when the
// expression came from a file or went into one.
bool Command3_Click(std::int16_t index, WindowModel& w, CommonDialog& dialog);

// Loads the named file as the open button does: only an existing ordinary
// file, one text-change cycle per line. fileName is UTF-8.
FileLoad OpenExpressionFile(WindowModel& w, const std::string& fileName);

}  // namespace quorvel
