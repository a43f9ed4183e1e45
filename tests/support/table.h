#pragma once
// Case tables kept as .tsv files: one case a line, columns split by tabs,
// "#" lines and blank lines skipped. Cells are read by the escapes each
// table's first line documents.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "row_list.h"
#include "utf.h"

namespace quorvel::test {

struct TableRow {
    int line = 0;
    std::vector<std::string> cells;
    const std::string& operator[](size_t k) const
    {
        static const std::string kNone;
        return k < cells.size() ? cells[k] : kNone;
    }
};

inline void PrintTo(const TableRow& row, std::ostream* os) { *os << "line " << row.line; }

inline std::string RowName(const ::testing::TestParamInfo<TableRow>& info) { return "line" + std::to_string(info.param.line); }

inline std::vector<TableRow> ReadTable(const std::string& name)
{
    std::ifstream in(std::string(QUORVEL_TABLES) + "/" + name);
    if (!in) throw std::runtime_error("cannot read " + name);
    std::vector<TableRow> rows;
    int line = 0;
    for (std::string text; std::getline(in, text);) {
        ++line;
        if (text.empty() || text[0] == '#') continue;
        TableRow row{line, {}};
        for (size_t from = 0;; ) {
            const size_t tab = text.find('\t', from);
            row.cells.push_back(text.substr(from, tab - from));
            if (tab == std::string::npos) break;
            from = tab + 1;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

// \t \n \r \0 \\ \{ and \uXXXX (any code unit, lone surrogates too) are
// escapes, {N*unit} is unit N times, and the rest is UTF-8.
inline std::u16string Text(std::string_view cell)
{
    std::u16string out;
    for (size_t k = 0; k < cell.size();) {
        if (cell[k] == '{') {
            const size_t star = cell.find('*', k), end = cell.find('}', k);
            int times = 0;
            std::from_chars(cell.data() + k + 1, cell.data() + star, times);
            const std::u16string unit = Text(cell.substr(star + 1, end - star - 1));
            while (times-- > 0) out += unit;
            k = end + 1;
        } else if (cell[k] == '\\' && cell[k + 1] == 'u') {
            unsigned unit = 0;
            std::from_chars(cell.data() + k + 2, cell.data() + k + 6, unit, 16);
            out += static_cast<char16_t>(unit);
            k += 6;
        } else if (cell[k] == '\\') {
            const char c = cell[k + 1];
            out += c == 't' ? u'\t' : c == 'n' ? u'\n' : c == 'r' ? u'\r' : c == '0' ? u'\0' : static_cast<char16_t>(c);
            k += 2;
        } else {
            const size_t next = std::min(cell.find_first_of("{\\", k), cell.size());
            out += Utf8ToUtf16(cell.substr(k, next - k));
            k = next;
        }
    }
    return out;
}

inline std::string Utf8(std::string_view cell) { return Utf16ToUtf8(Text(cell)); }

// Space-separated rows, row 0 first, "~" an empty row; each row a Utf8 cell.
inline RowList Rows(std::string_view cell)
{
    RowList list;
    for (size_t from = 0; from < cell.size();) {
        const size_t end = std::min(cell.find(' ', from), cell.size());
        const std::string_view row = cell.substr(from, end - from);
        list.Append(row == "~" ? std::string() : Utf8(row));
        from = end + 1;
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
