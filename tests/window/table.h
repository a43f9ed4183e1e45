#pragma once
// Case tables kept as tab-separated rows below TABLES: a first line naming
// the columns, then one case a line; blank lines and lines starting with #
// are skipped.
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace quorvel::test {

using Row = std::map<std::string, std::string>;

inline std::vector<Row> Table(const std::string& file)
{
    std::ifstream in(std::string(TABLES) + "/" + file);
    std::string line;
    std::vector<std::string> columns;
    std::getline(in, line);
    std::istringstream head(line);
    for (std::string name; std::getline(head, name, '\t');) columns.push_back(name);
    std::vector<Row> rows;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream cells(line);
        Row& row = rows.emplace_back();
        for (const std::string& name : columns) std::getline(cells, row[name], '\t');
    }
    if (rows.empty()) throw std::runtime_error("no rows in " + file);
    return rows;
}

inline std::string RowName(const ::testing::TestParamInfo<Row>& info) { return info.param.at("name"); }

// A cell's text: \t \n \r \s (space) \\ \xHH (a byte), \e (nothing), and
// \{N}, which makes what came since the cell's start or the previous \{…}
// appear N times in all.
inline std::string Cell(const std::string& cell)
{
    std::string out;
    size_t unit = 0;
    for (size_t i = 0; i < cell.size(); ++i) {
        const char e = cell[i] == '\\' && i + 1 < cell.size() ? cell[++i] : 0;
        if (e == 'x') {
            out += static_cast<char>(std::stoi(cell.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else if (e == '{') {
            const size_t end = cell.find('}', i);
            const std::string repeated = out.substr(unit);
            for (int n = std::stoi(cell.substr(i + 1, end - i - 1)); n > 1; --n) out += repeated;
            unit = out.size();
            i = end;
        } else if (e != 'e') {
            out += !e ? cell[i] : e == 't' ? '\t' : e == 'n' ? '\n' : e == 'r' ? '\r' : e == 's' ? ' ' : e;
        }
    }
    return out;
}

}  // namespace quorvel::test
