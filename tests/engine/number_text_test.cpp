#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

#include "number_text.h"

namespace quorvel {
namespace {

TEST(NumberToText, FifteenDigitsAndNoTrailingZeros)
{
    const std::pair<double, const char*> table[] = {
        {0, "0"}, {-0.0, "0"}, {7, "7"}, {-3, "-3"}, {0.5, "0.5"}, {-0.5, "-0.5"},
        {1.0 / 3, "0.333333333333333"}, {2.0 / 3, "0.666666666666667"}, {0.1 + 0.2, "0.3"},
        {std::sqrt(2.0), "1.4142135623731"}, {123456789012345, "123456789012345"},
        {1e15, "1e+15"}, {-1e15, "-1e+15"}, {1.5e300, "1.5e+300"}, {0.0001, "0.0001"},
        {0.00001, "1e-05"}, {4.9406564584124654e-324, "4.94065645841247e-324"},
        {std::numeric_limits<double>::max(), "1.79769313486231e+308"},
        {-std::numeric_limits<double>::max(), "-1.79769313486231e+308"}, {1.797693134862314e308, "1.79769313486231e+308"},
    };
    for (const auto& [x, text] : table) EXPECT_EQ(NumberToText(x), text) << x;
}

TEST(NumberToText, ReadsBackAndStartsWithADigitOrMinus)
{
    for (double x : {1e-300, -2.5e-7, 9.99999999999999e14, 1.23456789012345e100, 6.02e23, -1e-320,
                     std::numeric_limits<double>::max(), -1.7976931348623e308}) {
        const std::string t = NumberToText(x);
        ASSERT_TRUE(t[0] == '-' ? std::isdigit(static_cast<unsigned char>(t[1])) : std::isdigit(static_cast<unsigned char>(t[0]))) << t;
        const auto back = TextToNumber(t);
        ASSERT_TRUE(back) << t;
        EXPECT_EQ(NumberToText(*back), t);
    }
}

TEST(SingleToText, SevenDigits)
{
    EXPECT_EQ(SingleToText(0.1234567f), "0.1234567");
    EXPECT_EQ(SingleToText(0.99999994f), "0.9999999");
    EXPECT_EQ(SingleToText(1.0f / 3), "0.3333333");
    EXPECT_EQ(SingleToText(0.0f), "0");
}

TEST(TextToNumber, AcceptsEveryNumberForm)
{
    const std::pair<const char*, double> table[] = {
        {"5.", 5}, {"-.5", -0.5}, {".5", 0.5}, {"0.", 0}, {"007", 7}, {"-5", -5}, {"+5", 5},
        {"1.23", 1.23}, {"1e+21", 1e21}, {"1E5", 1e5}, {"2.5e-3", 0.0025},
        {"4.94065645841247e-324", 4.94065645841247e-324}, {"1e-400", 0},
        {"123456789012345678901234567890", 1.2345678901234568e29}, {"-0", 0},
    };
    for (const auto& [text, value] : table) {
        const auto v = TextToNumber(text);
        ASSERT_TRUE(v) << text;
        EXPECT_DOUBLE_EQ(*v, value) << text;
    }
    EXPECT_TRUE(std::signbit(*TextToNumber("-0")));
}

TEST(TextToNumber, RejectsWhatIsNotAPlainDecimal)
{
    for (const char* text : {"", ".", "-.", "-", "+", "x", "abc", "1.2.3", "inf", "-inf", "nan", "NaN", "infinity",
                             "0x10", "0X1p3", " 5", "5 ", " 5 ", "1e", "1e+", "e5", "1,5", "1e999", "-1e999", "5x",
                             "--5", "1_000", "\xef\xbc\x95"}) {
        EXPECT_FALSE(TextToNumber(text)) << '"' << text << '"';
    }
}

TEST(NumberText, IndependentOfTheLocale)
{
    // A locale with a decimal comma must change nothing.
    const char* german = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"})
        if ((german = std::setlocale(LC_ALL, name))) break;
    if (!german) GTEST_SKIP() << "no German locale on this machine";
    EXPECT_EQ(NumberToText(2.5), "2.5");
    EXPECT_EQ(SingleToText(0.25f), "0.25");
    EXPECT_EQ(TextToNumber("2.5"), 2.5);
    EXPECT_FALSE(TextToNumber("2,5"));
    std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace quorvel
