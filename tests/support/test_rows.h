#pragma once
// Helpers for writing token lists in tests as space-separated rows.
#include <sstream>
#include <string>
#include <vector>

#include "row_list.h"

namespace quorvel::test {

// "3 1 + 2" gives rows 3, 1, +, 2; "~" stands for an empty row.
inline RowList Rows(const std::string& spaced)
{
    RowList list;
    std::istringstream in(spaced);
    for (std::string r; in >> r;) list.Append(r == "~" ? std::string() : r);
    return list;
}

// Rows with row 0 the count of the tokens that follow.
inline RowList Tokens(const std::string& spaced)
{
    RowList t = Rows(spaced);
    RowList list;
    list.Append(std::to_string(t.Count()));
    for (const std::string& r : t.Rows()) list.Append(r);
    return list;
}

inline std::string Spaced(const RowList& list)
{
    std::string s;
    for (const std::string& r : list.Rows()) {
        if (!s.empty()) s += ' ';
        s += r.empty() ? "~" : r;
    }
    return s;
}

inline std::u16string U16(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

}  // namespace quorvel::test
