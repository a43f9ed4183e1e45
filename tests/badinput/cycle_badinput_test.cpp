// Bad input through the calculation cycle: each row types a text into a
// window that has already calculated 6*7, enters values through the value
// box and clicks "计算"; then the same window must still calculate 1+2.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "window_model.h"

namespace quorvel {
namespace {

constexpr const char* kTooLong = "表达式超过32766个字符错";
constexpr const char* kOverflow = "数值溢出错";
constexpr const char* kValueX = "变量x的值不是数字错";
constexpr const char* kFirstToken = "错误:第一个字符串类型只能是(,正,负常数,变量";
constexpr const char* kTwoOperands = "错误:第2个字符它必需是纯操作符)";

std::u16string Repeat(std::u16string_view unit, size_t times)
{
    std::u16string s;
    s.reserve(unit.size() * times);
    for (size_t k = 0; k < times; ++k) s += unit;
    return s;
}

std::u16string Padded(std::u16string text, size_t length, char16_t pad)
{
    text.resize(length, pad);
    return text;
}

std::u16string Unit(char16_t c) { return std::u16string(1, c); }

// Every character class at once: digits, points and "_" inside a number,
// operators, names, a function name, and separators of every kind (space,
// tab, LF, comma, quotes, CJK, full-width, ideographic space, accented).
// 12.5 + x * ((-0.5 - SIN(0)) ^ 2), "^" before "*".
const std::u16string kMixed = u" 1_2.5.0,+\t\"x\"中*\n(\u3000_.5Ａ-SIN(0))é^2";

struct Row {
    const char* name;
    std::u16string text;
    std::vector<std::string> values;  // typed into the value rows, then "计算"; none: no click
    std::string label1;               // after the last cycle
    std::string title;
    bool failed = false;              // Label1 holds a failure message
    bool keepsLists = false;          // the lists still hold what 6*7 left
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

class BadInput : public ::testing::TestWithParam<Row> {};

TEST_P(BadInput, MessageThenTheWindowStillCalculates)
{
    const Row& row = GetParam();
    WindowModel w;
    SetText1(w, u"6*7");
    ASSERT_EQ(w.label1, "42");
    const WindowModel calculated = w;

    SetText1(w, row.text);
    if (!row.values.empty()) {
        ASSERT_EQ(w.list3.Count(), static_cast<int>(row.values.size()));
        for (size_t k = 0; k < row.values.size(); ++k) {
            List3_Click(w, static_cast<int>(k));
            SetText2(w, row.values[k]);
        }
        Command1_Click(w);
        for (size_t k = 0; k < row.values.size(); ++k)
            EXPECT_EQ(w.list3.Read(static_cast<int>(k)), row.values[k]) << "value rows are kept as typed";
    }

    EXPECT_EQ(w.label1, row.label1);
    EXPECT_EQ(w.title, row.title);
    EXPECT_EQ(w.failure.has_value(), row.failed);
    if (w.failure) {
        EXPECT_EQ(*w.failure, w.label1);
    }
    EXPECT_EQ(w.text1, row.text);
    if (row.keepsLists) {
        EXPECT_EQ(w.list1, calculated.list1);
        EXPECT_EQ(w.list2, calculated.list2);
        EXPECT_EQ(w.list3, calculated.list3);
    }

    SetText1(w, u"1+2");
    EXPECT_EQ(w.label1, "3");
    EXPECT_EQ(w.title, "");
    EXPECT_FALSE(w.failure);
    EXPECT_EQ(w.list1, (RowList{"3", "3"}));
    EXPECT_EQ(w.list2.Count() + w.list3.Count(), 0);
}

// Lengths are counted in UTF-16 code units; 32766 is the longest text.
INSTANTIATE_TEST_SUITE_P(Lengths, BadInput, ::testing::Values(
    Row{"sumOf32766", Repeat(u"1+", 16382) + u"1 ", {}, "16383", ""},
    Row{"mixedPaddedTo32766", Padded(kMixed, 32766, u'\u3000'), {}, "12.5", ""},
    Row{"mixedPaddedTo32767", Padded(kMixed, 32767, u'\u3000'), {}, kTooLong, "", true, true},
    Row{"surrogatePairEndingAt32766", u"1" + std::u16string(32763, u' ') + u"😀", {}, "1", ""},
    Row{"surrogatePairEndingAt32767", u"1" + std::u16string(32764, u' ') + u"😀", {}, kTooLong, "", true, true},
    Row{"hundredThousand", Repeat(u"1+", 50000), {}, kTooLong, "", true, true},
    Row{"hundredThousandOfNames", Repeat(u"x+", 50000), {}, kTooLong, "", true, true}),
    [](const auto& info) { return std::string(info.param.name); });

// A lone surrogate is a character of no class: it separates tokens, even
// when its low byte is that of a token character (0xD82B and "+").
INSTANTIATE_TEST_SUITE_P(InvalidUtf16, BadInput, ::testing::Values(
    Row{"loneHighBetweenOperands", u"1+" + Unit(0xD800) + u"2", {}, "3", ""},
    Row{"loneLowSplitsAName", u"ab" + Unit(0xDC00) + u"cd", {}, "42", kTwoOperands},
    Row{"loneHighWithThePlusLowByte", u"1" + Unit(0xD82B) + u"2", {}, "42", kTwoOperands},
    Row{"reversedPair", Unit(0xDC00) + Unit(0xD800) + u"7", {}, "7", ""},
    Row{"loneHighAtTheEnd", u"2*3" + Unit(0xDBFF), {}, "6", ""},
    Row{"pairInsideANumber", u"1😀5", {}, "42", kTwoOperands},
    Row{"onlySurrogates", Unit(0xD800) + Unit(0xDFFF) + Unit(0xDC00), {}, "42", kFirstToken}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(CharacterClasses, BadInput, ::testing::Values(
    Row{"everyClassMixed", kMixed, {}, "12.5", ""},
    Row{"everyClassMixedWithAValue", kMixed, {"2"}, "13", ""},
    Row{"controlCharactersOnly", u"\x01\x02\x1b\x7f\t\n\r", {}, "42", kFirstToken},
    Row{"nulBetweenDigits", std::u16string(u"1\0" u"2+3", 5), {}, "42", kTwoOperands},
    Row{"literalBeyondADouble", Repeat(u"9", 400), {}, "数字" + std::string(400, '9') + "无效错", "", true},
    Row{"literalBelowTheSmallestDouble", u"0." + Repeat(u"0", 400) + u"1+1", {}, "1", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// Values are converted strictly when "计算" is clicked; one too small for a
// double reads as zero.
INSTANTIATE_TEST_SUITE_P(Values, BadInput, ::testing::Values(
    Row{"point", u"x+1", {"."}, kValueX, "", true},
    Row{"twoPoints", u"x+1", {"1.2.3"}, kValueX, "", true},
    Row{"minusAlone", u"x+1", {"-"}, kValueX, "", true},
    Row{"surroundingSpaces", u"x+1", {" 5 "}, kValueX, "", true},
    Row{"notANumber", u"x+1", {"nan"}, kValueX, "", true},
    Row{"infinity", u"x+1", {"inf"}, kValueX, "", true},
    Row{"hexadecimal", u"x+1", {"0x10"}, kValueX, "", true},
    Row{"commaAsPoint", u"x+1", {"1,5"}, kValueX, "", true},
    Row{"exponentWithoutDigits", u"x+1", {"5e+"}, kValueX, "", true},
    Row{"fullWidthDigit", u"x+1", {"５"}, kValueX, "", true},
    Row{"negativeBeyondADouble", u"x+1", {"-1e999"}, kValueX, "", true},
    Row{"belowTheSmallestDouble", u"x+1", {"1e-999"}, "1", ""},
    Row{"tenThousandDigits", u"x+1", {std::string(10000, '1')}, kValueX, "", true},
    Row{"tenThousandCharactersOfATinyValue", u"x+1", {"0." + std::string(9997, '0') + "1"}, "1", ""},
    Row{"tenThousandCharactersOfOne", u"x+1", {"1." + std::string(9998, '0')}, "2", ""},
    Row{"tenThousandCharactersOfMinusZero", u"x+1", {"-" + std::string(9999, '0')}, "1", ""},
    Row{"secondOfTwoNames", u"a+b", {"1", "nan"}, "变量a的值不是数字错", "", true}),
    [](const auto& info) { return std::string(info.param.name); });

// Results beyond a double, powers and roots without a real value, and the
// 32-bit integer quotient at the edges of its range (halves round to even).
INSTANTIATE_TEST_SUITE_P(Arithmetic, BadInput, ::testing::Values(
    Row{"sumBeyondADouble", u"x+x", {"1e308", "1e308"}, kOverflow, "", true},
    Row{"differenceBeyondADouble", u"x-y", {"1e308", "-1e308"}, kOverflow, "", true},
    Row{"quotientOfADenormal", u"1/x", {"1e-309"}, kOverflow, "", true},
    Row{"quotientJustInRange", u"1/x", {"1e-308"}, "1e+308", ""},
    Row{"powerBeyondADouble", u"10^400", {}, kOverflow, "", true},
    Row{"expJustBeyond", u"exp(709.79)", {}, kOverflow, "", true},
    Row{"cubeRootOfANegative", u"_8^(1/3)", {}, "乘方没有实数结果错", "", true},
    Row{"logOfANegative", u"log(_2)", {}, "对数的参数必须大于0错", "", true},
    Row{"rootOfATinyNegativeValue", u"sqr(x)", {"-0.000001"}, "负数不能开平方错", "", true},
    Row{"rootOfMinusZero", u"sqr(x)", {"-0"}, "0", ""},
    Row{"halfRoundsBeyondTheRange", u"2147483647.5\\1", {}, "整除的操作数超出范围错", "", true},
    Row{"halfRoundsToTheEvenBelow", u"2147483646.5\\1", {}, "2147483646", ""},
    Row{"negativeHalfRoundsIntoTheRange", u"_2147483648.5\\1", {}, "-2147483648", ""},
    Row{"justBeyondTheRange", u"2147483648\\1", {}, "整除的操作数超出范围错", "", true},
    Row{"smallestDividend", u"_2147483648\\1", {}, "-2147483648", ""},
    Row{"negativeValueBeyondTheRange", u"x\\2", {"-1e10"}, "整除的操作数超出范围错", "", true},
    Row{"halfDivisorRoundsToZero", u"1\\0.5", {}, "整除的除数取整后为0错", "", true},
    Row{"negativeHalfDivisorRoundsToZero", u"1\\_0.5", {}, "整除的除数取整后为0错", "", true},
    Row{"divisorValueRoundsToZero", u"7\\x", {"0.4"}, "整除的除数取整后为0错", "", true},
    Row{"divisorRoundsToTwo", u"1\\1.5", {}, "0", ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvel
