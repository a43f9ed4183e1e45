#pragma once
// Case tables: tab-separated rows in the file named, below TABLES. The first
// line names the columns, then one case a line; blank lines and lines
// starting with # are skipped. A row is named by its "name" column or,
// where there is none, by its first cell and a hash of the whole line, so
// adding a row renames no other.
//
// Every cell is escaped alike: \t \n \r \s (a space) \\ and \e (nothing);
// \xHH a byte; \uXXXX a UTF-16 code unit, lone surrogates too; \{N*unit}
// the unit N times; a backslash before any other character is that
// character. Lists are rows split by spaces, row 0 first, ~ an empty row.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "row_list.h"
#include "utf.h"

namespace quorvel::test {

struct Row {
    std::string name;
    std::map<std::string, std::string> cells;
    const std::string& operator[](const std::string& column) const { return cells.at(column); }
};

inline std::string RowName(const ::testing::TestParamInfo<Row>& info) { return info.param.name; }

inline std::string NameFor(const std::string& first, const std::string& line)
{
    std::string name;
    for (char c : first.substr(0, 40)) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name + "_" + std::to_string(std::hash<std::string>{}(line) % 100000000);
}

inline std::vector<Row> Table(const std::string& file)
{
    std::ifstream in(std::string(TABLES) + "/" + file);
    std::vector<std::string> columns;
    std::string line;
    if (!std::getline(in, line)) throw std::runtime_error("cannot read " + file);
    for (size_t from = 0, tab = 0; tab != std::string::npos; from = tab + 1)
        columns.push_back(line.substr(from, (tab = line.find('\t', from)) - from));
    std::vector<Row> rows;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        Row& row = rows.emplace_back();
        size_t from = 0;
        for (const std::string& column : columns) {
            const size_t tab = std::min(line.find('\t', from), line.size());
            row.cells[column] = from <= line.size() ? line.substr(from, tab - from) : "";
            from = tab + 1;
        }
        const auto name = row.cells.find("name");
        row.name = name != row.cells.end() ? name->second : NameFor(row.cells[columns[0]], line);
    }
    if (rows.empty()) throw std::runtime_error("no rows in " + file);
    return rows;
}

// The cell's text, built by the three makers: of plain text, of a byte and
// of a UTF-16 code unit.
template <class String, class Plain, class Byte, class Unit>
String Decode(std::string_view cell, const Plain& plain, const Byte& byte, const Unit& unit)
{
    String out;
    for (size_t i = 0; i < cell.size();) {
        if (cell[i] != '\\' || i + 1 == cell.size()) {
            const size_t end = std::min(cell.find('\\', i + 1), cell.size());
            out += plain(cell.substr(i, end - i));
            i = end;
            continue;
        }
        const char e = cell[i + 1];
        i += 2;
        if (e == 'x' || e == 'u') {
            const size_t digits = e == 'x' ? 2 : 4;
            const int code = std::stoi(std::string(cell.substr(i, digits)), nullptr, 16);
            out += e == 'x' ? byte(code) : unit(static_cast<char16_t>(code));
            i += digits;
        } else if (e == '{') {
            const size_t star = cell.find('*', i), end = cell.find('}', star);
            const String repeated = Decode<String>(cell.substr(star + 1, end - star - 1), plain, byte, unit);
            for (int n = std::stoi(std::string(cell.substr(i, star - i))); n > 0; --n) out += repeated;
            i = end + 1;
        } else if (e != 'e') {
            const char c = e == 't' ? '\t' : e == 'n' ? '\n' : e == 'r' ? '\r' : e == 's' ? ' ' : e;
            out += plain(std::string_view(&c, 1));
        }
    }
    return out;
}

// As bytes: a code unit in its UTF-8 form.
inline std::string Bytes(std::string_view cell)
{
    return Decode<std::string>(
        cell, [](std::string_view s) { return std::string(s); }, [](int b) { return std::string(1, static_cast<char>(b)); },
        [](char16_t u) { return Utf16ToUtf8(std::u16string(1, u)); });
}

// As UTF-16 code units: a byte is the code unit of that number.
inline std::u16string Units(std::string_view cell)
{
    return Decode<std::u16string>(
        cell, [](std::string_view s) { return Utf8ToUtf16(s); }, [](int b) { return std::u16string(1, static_cast<char16_t>(b)); },
        [](char16_t u) { return std::u16string(1, u); });
}

inline RowList Rows(std::string_view cell)
{
    RowList list;
    for (size_t from = 0, end = 0; from < cell.size(); from = end + 1) {
        end = std::min(cell.find(' ', from), cell.size());
        const std::string_view row = cell.substr(from, end - from);
        list.Append(row == "~" ? "" : Bytes(row));
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
