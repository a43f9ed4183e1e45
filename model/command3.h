#pragma once
// The open and save buttons: ask the dialog for a name, then do the file work.
#include <cstdint>

#include "common_dialog.h"
#include "expression_file.h"
#include "window_model.h"

namespace quorvel {

// What the file work did, as the window tells it.
enum class FileWork {
    Nothing,  // no name, no ordinary file, an empty file
    Loaded,
    Saved,
    Failed,  // Label1 says why
};

// Index kLoadFile loads the file chosen in the open dialog, when it is an
// existing ordinary file; index kSaveFile saves to the name chosen in the
// save dialog. An empty name does nothing, and so does any other index.
FileWork Command3_Click(std::int16_t index, WindowModel& w, CommonDialog& dialog);

FileWork WorkDone(const FileLoad& load);
FileWork WorkDone(Save save);

// Loads the named file as the open button does: only an existing ordinary
// file, one text-change cycle per line. fileName is UTF-8.
FileLoad OpenExpressionFile(WindowModel& w, const std::string& fileName);

}  // namespace quorvel
