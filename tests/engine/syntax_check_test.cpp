#include <gtest/gtest.h>

#include "implementations.h"
#include "test_rows.h"

namespace quorvel {
namespace {

const std::string kFirst = "错误:第一个字符串类型只能是(,正,负常数,变量";
const std::string kMissing = "错误:发现缺少)";

struct CheckCase {
    std::u16string typed;
    std::string message;
};

class CheckTable : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckTable, MessageForTypedText)
{
    for (const auto& impl : test::Implementations()) {
        RowList list;
        ASSERT_FALSE(impl.tokenize(GetParam().typed, list));
        const RowList before = list;
        std::string message = "stale";
        ASSERT_FALSE(impl.checkSyntax(list, message));
        EXPECT_EQ(message, GetParam().message) << impl.name;
        EXPECT_EQ(list, before) << "the check only reads";
        std::string again;
        ASSERT_FALSE(impl.checkSyntax(list, again));
        EXPECT_EQ(again, message);
    }
}

INSTANTIATE_TEST_SUITE_P(Typed, CheckTable, ::testing::Values(
    CheckCase{u"1+", "错误:第3结束字符它必需是正,负数,变量)"},
    CheckCase{u"(1", kMissing},
    CheckCase{u"1)", "错误:第2位发现多于的)"},
    CheckCase{u"sin 2", "错误:第2个字符它必需("},
    CheckCase{u"2 3", "错误:第2个字符它必需是纯操作符)"},
    CheckCase{u"-5", kFirst},
    CheckCase{u"_5", ""},
    CheckCase{u"", kFirst},
    CheckCase{u"+1", kFirst},
    CheckCase{u")", kFirst},
    CheckCase{u"2*sin", "错误:第4字符它必需是涵数前("},
    CheckCase{u"sin", "错误:第2字符它必需是涵数前("},
    CheckCase{u"(1+", kMissing},
    CheckCase{u"(", kMissing},
    CheckCase{u"()", "错误:第2个字符它必需是( 正,负数,变量"},
    CheckCase{u"1++2", "错误:第3个字符它必需是正,负数,变量("},
    CheckCase{u"2--3", "错误:第3个字符它必需是正,负数,变量("},
    CheckCase{u"2-_3", ""},
    CheckCase{u"2 _5", "错误:第2个字符它必需是纯操作符)"},
    CheckCase{u"2(3)", "错误:第2个字符它必需是纯操作符)"},
    CheckCase{u"(1)(2)", "错误:第4个字符它必需是纯操作符)"},
    CheckCase{u"(1))", "错误:第4位发现多于的)"},
    CheckCase{u"1+)", "错误:第3位发现多于的)"},
    CheckCase{u"sin(2)", ""},
    CheckCase{u"TAn(1)", ""},
    CheckCase{u"TAN(1)", "错误:第2个字符它必需是纯操作符)"},
    CheckCase{u"((1))", ""},
    CheckCase{u"5", ""},
    CheckCase{u"sin(", kMissing},
    CheckCase{u"(sin)", "错误:第3个字符它必需("},
    CheckCase{u"1+2+3+4+5+6*", "错误:第13结束字符它必需是正,负数,变量)"}));

TEST(CheckSyntax, EmptyTokenIsRejectedByThePairBefore)
{
    for (const auto& impl : test::Implementations()) {
        std::string message;
        ASSERT_FALSE(impl.checkSyntax(test::Rows("3 1 + ~"), message));
        EXPECT_EQ(message, "错误:第3个字符它必需是正,负数,变量(") << impl.name;
        ASSERT_FALSE(impl.checkSyntax(test::Rows("1 ~"), message));
        EXPECT_EQ(message, kFirst) << impl.name;
        // A count of 2.5 rounds to 2, halves to even.
        ASSERT_FALSE(impl.checkSyntax(test::Rows("2.5 1 + 2"), message));
        EXPECT_EQ(message, "错误:第3结束字符它必需是正,负数,变量)") << impl.name;
    }
}

TEST(CheckSyntax, CountThatIsNotA16BitPosition)
{
    for (const auto& impl : test::Implementations()) {
        std::string message;
        for (const char* rows : {"", "x 1", "32767 1", "40000 1"}) {
            const auto fault = impl.checkSyntax(test::Rows(rows), message);
            ASSERT_TRUE(fault) << impl.name << ' ' << rows;
            EXPECT_EQ(fault->kind, FaultKind::CountOutOfRange);
        }
    }
}

}  // namespace
}  // namespace quorvel
