#include <gtest/gtest.h>

#include "implementations.h"
#include "test_rows.h"

namespace quorvel {
namespace {

using test::Spaced;

struct TokenCase {
    std::u16string text;
    std::string rows;  // row 0 first
};

class TokenizeTable : public ::testing::TestWithParam<TokenCase> {};

TEST_P(TokenizeTable, WritesCountAndTokens)
{
    for (const auto& impl : test::Implementations()) {
        RowList list = test::Rows("junk from an earlier cycle");
        ASSERT_FALSE(impl.tokenize(GetParam().text, list)) << impl.name;
        EXPECT_EQ(Spaced(list), GetParam().rows) << impl.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, TokenizeTable, ::testing::Values(
    TokenCase{u"3.14*r^2", "5 3.14 * r ^ 2"},
    TokenCase{u"_5+.5", "3 -5 + 0.5"},
    TokenCase{u"1..2", "1 1.2"},
    TokenCase{u"1.2.3", "1 1.23"},
    TokenCase{u"12_3", "1 123"},
    TokenCase{u"x2", "2 x 2"},
    TokenCase{u"2x", "2 2 x"},
    TokenCase{u"x.5", "2 x 0.5"},
    TokenCase{u"ab12cd", "3 ab 12 cd"},
    TokenCase{u"a b", "2 a b"},
    TokenCase{u"3,5", "2 3 5"},
    TokenCase{u"sin(_)", "4 sin ( -1 )"},
    TokenCase{u"_x", "2 -1 x"},
    TokenCase{u"x_", "2 x -1"},
    TokenCase{u"__5", "1 -5"},
    TokenCase{u"_5_", "1 -5"},
    TokenCase{u"_.5", "1 -.5"},
    TokenCase{u"._5", "1 0.5"},
    TokenCase{u"_.", "1 -."},
    TokenCase{u".", "1 0."},
    TokenCase{u"5.", "1 5."},
    TokenCase{u"-5", "2 - 5"},
    TokenCase{u"((x))", "5 ( ( x ) )"},
    TokenCase{u"\"x\"", "1 x"},
    TokenCase{u"", "0"},
    TokenCase{u"*\\/+-^)(", "8 * \\ / + - ^ ) ("},
    // Characters outside the letter ranges end a token as a space does.
    TokenCase{u"ab\u4e2dcd", "2 ab cd"},
    TokenCase{u"x\uff41y", "2 x y"},
    TokenCase{u"1\t2\n3", "3 1 2 3"},
    TokenCase{u"a[b`c_d", "5 a b c -1 d"},
    TokenCase{std::u16string(u"x\xd800y"), "2 x y"}));

TEST(Tokenize, LengthLimit)
{
    const std::u16string fits(kMaxTextLength, u'1');
    RowList list = test::Rows("7 kept");
    ASSERT_FALSE(Tokenize(fits, list));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Read(1).size(), static_cast<size_t>(kMaxTextLength));

    for (const auto& impl : test::Implementations()) {
        for (size_t length : {size_t{32767}, size_t{32768}, size_t{100000}}) {
            RowList kept = test::Rows("3 1 + 2");
            const auto fault = impl.tokenize(std::u16string(length, u'+'), kept);
            ASSERT_TRUE(fault) << impl.name << ' ' << length;
            EXPECT_EQ(fault->kind, FaultKind::TooLong);
            EXPECT_EQ(Spaced(kept), "3 1 + 2") << "the list keeps its rows";
        }
    }
}

TEST(Tokenize, ReplacesLongerList)
{
    RowList list = test::Rows("a b c d e f g");
    ASSERT_FALSE(Tokenize(u"1+2", list));
    EXPECT_EQ(Spaced(list), "3 1 + 2");
}

}  // namespace
}  // namespace quorvel
