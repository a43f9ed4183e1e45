#include <gtest/gtest.h>

#include "implementations.h"
#include "test_rows.h"

namespace quorvel {
namespace {

using test::Spaced;
using test::U16;

TEST(Cycle, StartState)
{
    WindowModel w;
    EXPECT_EQ(w.title, "Quorvel");
    EXPECT_EQ(w.text2, "0");
    EXPECT_TRUE(w.label1.empty());
    EXPECT_EQ(w.list1.Count() + w.list2.Count() + w.list3.Count(), 0);
}

TEST(Cycle, TypedThenValueEditedThenCalculated)
{
    WindowModel w;
    SetText1(w, u"1/x");
    EXPECT_EQ(w.title, "");
    EXPECT_EQ(w.label1, "除数为0错");
    EXPECT_EQ(Spaced(w.list2), "x");
    EXPECT_EQ(Spaced(w.list3), "0");
    EXPECT_EQ(Spaced(w.list1), "3 1 / 0");

    List3_Click(w, 0);
    EXPECT_EQ(w.text2, "0");
    SetText2(w, "4");
    EXPECT_EQ(Spaced(w.list3), "4");
    EXPECT_EQ(w.label1, "除数为0错") << "no calculation before the click";
    Command1_Click(w);
    EXPECT_EQ(w.label1, "0.25");
    EXPECT_EQ(Spaced(w.list1), "3 0.25");
    Command1_Click(w);
    EXPECT_EQ(w.label1, "0.25") << "the token list is rebuilt from the text";
    EXPECT_EQ(Spaced(w.list3), "4");

    SetText1(w, u"1/x+1");
    EXPECT_EQ(Spaced(w.list3), "0") << "a text change resets the values";
    EXPECT_EQ(w.list3Index, -1);
}

TEST(Cycle, FailedCheckKeepsTheResult)
{
    WindowModel w;
    SetText1(w, u"2*(x+1)");
    EXPECT_EQ(w.label1, "2");
    EXPECT_EQ(Spaced(w.list1), "7 2");
    SetText1(w, u"2*(x+1");
    EXPECT_EQ(w.title, "错误:发现缺少)");
    EXPECT_EQ(w.label1, "2");
    EXPECT_EQ(Spaced(w.list1), "6 2 * ( 0 + 1") << "substituted but not reduced";
    SetText1(w, u"");
    EXPECT_EQ(w.title, "错误:第一个字符串类型只能是(,正,负常数,变量");
    EXPECT_EQ(w.label1, "2");
}

TEST(Cycle, ValueEditWithoutSelectionChangesNothing)
{
    WindowModel w;
    SetText1(w, u"x+y");
    SetText2(w, "5");
    EXPECT_EQ(Spaced(w.list3), "0 0");
    List3_Click(w, 1);
    SetText2(w, "");
    SetText2(w, "7");
    EXPECT_EQ(Spaced(w.list3), "0 7");
    List3_Click(w, 0);
    EXPECT_EQ(w.text2, "0");
    EXPECT_EQ(Spaced(w.list3), "0 7") << "selecting a row does not change it";
}

struct FailureCase {
    std::u16string text;
    std::string values;  // value rows set before the click, "" for none
    std::string message;
    std::string title;   // title after the failing cycle
};

class CycleFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(CycleFailures, MessageInLabelAndTheNextCycleWorks)
{
    const FailureCase& c = GetParam();
    for (const auto& impl : test::Implementations()) {
        SCOPED_TRACE(impl.name);
        WindowModel w;
        w.text1 = u"9";
        impl.text1Change(w, nullptr);
        w.text1 = c.text;
        impl.text1Change(w, nullptr);
        if (!c.values.empty()) {
            w.list3 = test::Rows(c.values);
            impl.command1Click(w, nullptr);
        }
        ASSERT_TRUE(w.failure);
        EXPECT_EQ(*w.failure, c.message);
        EXPECT_EQ(w.label1, c.message);
        EXPECT_EQ(w.title, c.title);

        w.text1 = u"1+2";
        impl.text1Change(w, nullptr);
        EXPECT_FALSE(w.failure);
        EXPECT_EQ(w.label1, "3");
        EXPECT_EQ(w.title, "");
    }
}

INSTANTIATE_TEST_SUITE_P(Conditions, CycleFailures, ::testing::Values(
    FailureCase{std::u16string(32767, u'1'), "", "表达式超过32766个字符错", ""},
    FailureCase{u"x+y", "1 ~", "变量x的值不是数字错", ""},
    FailureCase{u"x+y", "1e999 1", "变量y的值不是数字错", ""},
    FailureCase{u"x*10", "1e308", "数值溢出错", ""},
    FailureCase{u"sqr(_1)", "", "负数不能开平方错", ""},
    FailureCase{u"log(0)", "", "对数的参数必须大于0错", ""},
    FailureCase{u"0^_1", "", "乘方没有实数结果错", ""},
    FailureCase{u"_8^0.5", "", "乘方没有实数结果错", ""},
    FailureCase{u"exp(710)", "", "数值溢出错", ""},
    FailureCase{u"x\\2", "1e10", "整除的操作数超出范围错", ""},
    FailureCase{u"7\\0.4", "", "整除的除数取整后为0错", ""},
    FailureCase{u"_2147483648\\_1", "", "整除的结果超出范围错", ""},
    FailureCase{u"_.+1", "", "数字-.无效错", ""}));

TEST(Cycle, TooLongTextKeepsEverything)
{
    WindowModel w;
    SetText1(w, u"x*2");
    SetText1(w, std::u16string(40000, u'x'));
    EXPECT_EQ(Spaced(w.list1), "3 0") << "the list keeps the rows the last cycle left";
    EXPECT_EQ(Spaced(w.list2), "x");
    EXPECT_EQ(w.title, "");
    EXPECT_EQ(w.label1, "表达式超过32766个字符错");
}

TEST(Cycle, TokenSnapshotIsTakenBeforeSubstitution)
{
    WindowModel w;
    w.text1 = U16("a*2");
    RowList tokens;
    Text1_Change(w, &tokens);
    EXPECT_EQ(Spaced(tokens), "3 a * 2");
    EXPECT_EQ(Spaced(w.list1), "3 0");
}

}  // namespace
}  // namespace quorvel
