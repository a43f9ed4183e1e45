#pragma once
// Expression files: one line, the expression in quotation marks, in the
// system's narrow encoding. A failure of the file work is told by its kind,
// and in Label1 (texts.h).
#include <cstdint>
#include <string>
#include <string_view>

#include <QString>

#include "cycle.h"
#include "window_model.h"

namespace quorvel {

// The two kinds of file work: the mode TransferExpressionFile takes, and the
// index of the Command3 button that starts each.
inline constexpr std::int16_t kLoadFile = 0;
inline constexpr std::int16_t kSaveFile = 1;

// A file's text as the loader reads it: in the system's encoding; where the
// bytes are not valid in it, as GB18030, the encoding of files written on
// Chinese Windows (a superset of GBK); where they are valid in neither, in
// the system's with U+FFFD. A leading byte-order mark is text like any other.
QString DecodeExpressionFile(const QByteArray& bytes);

// True for a name that exists and is an ordinary, non-hidden file (a link
// to one counts); false for directories, devices, sockets and dot-files.
bool IsOrdinaryFile(const std::string& fileName);

// What a load did. Only Loaded touches Text1; CannotOpen and CannotRead
// leave their message in Label1.
enum class Load {
    Loaded,       // every line ran its text-change cycle
    NotOrdinary,  // no existing ordinary file (IsOrdinaryFile): not opened
    CannotOpen,
    CannotRead,
    Empty,        // no line: no cycle ran
};
struct FileLoad {
    Load what;
    Outcome last = Outcome::NotRun;  // the outcome of the last line's cycle
};

// Label1's text for CannotOpen and CannotRead, empty for the others.
std::string_view LoadMessage(Load what);

// What a save did. CannotSave leaves its message in Label1.
enum class Save {
    Saved,
    CannotSave,  // the file could not be written; an existing one is unchanged
};

// Label1's text for CannotSave, empty for Saved.
std::string_view SaveMessage(Save what);

// Reads the file and assigns Text1 the lines read so far after each line,
// each assignment running a text-change cycle; CR LF or a lone CR ends a
// line, a lone LF is an ordinary character. fileName is UTF-8.
FileLoad LoadExpressionFile(WindowModel& w, const std::string& fileName);

// Replaces the file with `"` Text1 `"` CR LF, atomically where the folder
// allows it. fileName is UTF-8.
Save SaveExpressionFile(WindowModel& w, const std::string& fileName);

// Mode kLoadFile loads, kSaveFile saves; any other mode does nothing.
void TransferExpressionFile(std::int16_t mode, WindowModel& w, const std::string& fileName);

}  // namespace quorvel
