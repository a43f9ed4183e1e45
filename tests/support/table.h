#pragma once
// Case tables kept as .tsv files: one case a line, columns split by tabs,
// "#" lines and blank lines skipped. Each table's first line says what its
// columns hold and how they are escaped.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "row_list.h"
#include "utf.h"

namespace quorvel::test {

struct TableRow {
    int line = 0;
    std::vector<std::string> cells;
    // A missing trailing cell reads as empty.
    std::string operator[](size_t k) const { return k < cells.size() ? cells[k] : ""; }
};

inline std::string RowName(const ::testing::TestParamInfo<TableRow>& info) { return "line" + std::to_string(info.param.line); }

inline std::vector<TableRow> ReadTable(const std::string& name)
{
    std::ifstream in(std::string(QUORVEL_TABLES) + "/" + name);
    if (!in) throw std::runtime_error("cannot read " + name);
    std::vector<TableRow> rows;
    int line = 0;
    for (std::string text; std::getline(in, text);) {
        if (++line, text.empty() || text[0] == '#') continue;
        rows.push_back({line, {}});
        for (size_t from = 0, tab = 0; tab != std::string::npos; from = tab + 1)
            rows.back().cells.push_back(text.substr(from, (tab = text.find('\t', from)) - from));
    }
    return rows;
}

// \uXXXX is any code unit, lone surrogates too; "\" takes the next
// character as it is; {N*unit} is unit N times; the rest is UTF-8.
inline std::u16string Text(std::string_view cell)
{
    std::u16string out;
    for (size_t k = 0, next = 0; k < cell.size(); k = next) {
        unsigned n = 0;
        if (cell.substr(k, 2) == "\\u") {
            std::from_chars(cell.data() + k + 2, cell.data() + k + 6, n, 16);
            out += static_cast<char16_t>(n);
            next = k + 6;
        } else if (cell[k] == '\\') {
            out += static_cast<char16_t>(cell[k + 1]);
            next = k + 2;
        } else if (cell[k] == '{') {
            const size_t star = cell.find('*', k);
            next = cell.find('}', k) + 1;
            std::from_chars(cell.data() + k + 1, cell.data() + star, n);
            for (const std::u16string unit = Text(cell.substr(star + 1, next - star - 2)); n > 0; --n) out += unit;
        } else {
            next = std::min(cell.find_first_of("{\\", k), cell.size());
            out += Utf8ToUtf16(cell.substr(k, next - k));
        }
    }
    return out;
}

inline std::string Utf8(std::string_view cell) { return Utf16ToUtf8(Text(cell)); }

// Rows split by spaces, row 0 first, "~" an empty row, each row escaped as above.
inline RowList Rows(std::string_view cell)
{
    RowList list;
    for (size_t from = 0, end = 0; from < cell.size(); from = end + 1) {
        end = std::min(cell.find(' ', from), cell.size());
        list.Append(cell.substr(from, end - from) == "~" ? "" : Utf8(cell.substr(from, end - from)));
    }
    return list;
}

inline std::string Spaced(const RowList& list)
{
    std::string s;
    for (const std::string& r : list.Rows()) s += (s.empty() ? "" : " ") + (r.empty() ? "~" : r);
    return s;
}

}  // namespace quorvel::test
