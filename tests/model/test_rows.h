#pragma once
// Building token lists and syntax messages for the literal model's tests.
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "row_list.h"

namespace quorvel::literal::fixtures {

using Rows = std::vector<std::string>;

inline RowList ListOf(const Rows& rows)
{
    RowList list;
    for (const std::string& r : rows) list.Append(r);
    return list;
}

// A token list from tokens separated by single spaces, with the count row.
inline RowList TokenListOf(std::string_view spaced)
{
    Rows rows{""};
    std::istringstream in{std::string(spaced)};
    for (std::string t; in >> t;) rows.push_back(t);
    rows[0] = std::to_string(rows.size() - 1);
    return ListOf(rows);
}

inline std::string Numbered(int n, std::string_view tail) { return "错误:第" + std::to_string(n) + std::string(tail); }

inline const std::string kFirst = "错误:第一个字符串类型只能是(,正,负常数,变量";
inline const std::string kMissing = "错误:发现缺少)";
inline std::string Surplus(int n) { return Numbered(n, "位发现多于的)"); }
inline std::string AfterOpening(int n) { return Numbered(n, "个字符它必需是( 正,负数,变量"); }
inline std::string AfterFunction(int n) { return Numbered(n, "个字符它必需("); }
inline std::string AfterOperand(int n) { return Numbered(n, "个字符它必需是纯操作符)"); }
inline std::string AfterOperator(int n) { return Numbered(n, "个字符它必需是正,负数,变量("); }
inline std::string EndsInFunction(int n) { return Numbered(n, "字符它必需是涵数前("); }
inline std::string EndsBadly(int n) { return Numbered(n, "结束字符它必需是正,负数,变量)"); }

inline const std::string kDivisorZeroText = "除数为0错";

}  // namespace quorvel::literal::fixtures
