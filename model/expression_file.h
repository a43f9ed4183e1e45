#pragma once
// Expression files: one line, the expression in quotation marks, in the
// system's narrow encoding. File work failures are reported in Label1
// (texts.h).
#include <cstdint>
#include <string>

#include <QString>

#include "cycle.h"
#include "window_model.h"

namespace quorvel {

inline constexpr std::int16_t kLoadFile = 0;
inline constexpr std::int16_t kSaveFile = 1;

// A file's text as the loader reads it: in the system's encoding; where the
// bytes are not valid in it, as GB18030, the encoding of files written on
// Chinese Windows (a superset of GBK); where they are valid in neither, in
// the system's with U+FFFD. A leading byte-order mark is text like any other.
struct FileText {
    QString text;
    QByteArray encoding;  // the name of the encoding it was read in
    bool clean = true;    // every byte was valid in it
};
FileText DecodeExpressionFile(const QByteArray& bytes);

// True for a name that exists and is an ordinary, non-hidden file (a link
// to one counts); false for directories, devices, sockets and dot-files.
bool IsOrdinaryFile(const std::string& fileName);

// Mode kLoadFile: reads the file and assigns Text1 the lines read so far
// after each line, each assignment running a text-change cycle; CR LF or a
// lone CR ends a line, a lone LF is an ordinary character. Mode kSaveFile:
// replaces the file with `"` Text1 `"` CR LF, atomically where the folder
// allows it. Any other mode does nothing. fileName is UTF-8.
// Returns the outcome of the last cycle a load ran, NotRun when none ran.
Outcome TransferExpressionFile(std::int16_t mode, WindowModel& w, const std::string& fileName);

// The saving of TransferExpressionFile; false when the file could not be
// written, which Label1 then says.
bool SaveExpressionFile(WindowModel& w, const std::string& fileName);

}  // namespace quorvel
