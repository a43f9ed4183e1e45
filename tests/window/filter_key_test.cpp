#include "filter_key.h"

#include <clocale>
#include <string>

#include <gtest/gtest.h>

namespace quorvel {
namespace {

struct KeyCase {
    const char* name;
    std::int16_t key;
    std::u16string allowed;
    std::int16_t backspaceFlag;
    bool passes;
};

class FilterKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(FilterKeyTest, PassesUnchangedOrBeepsAndCancels)
{
    const KeyCase& c = GetParam();
    int beeps = 0;
    const std::int16_t result = FilterKey(c.key, c.allowed, c.backspaceFlag, [&] { ++beeps; });
    if (c.passes) {
        EXPECT_EQ(result, c.key);
        EXPECT_EQ(beeps, 0);
    } else {
        EXPECT_EQ(result, 0);
        EXPECT_EQ(beeps, 1);
    }
}

const std::u16string kValueChars = u"0123456789.";

INSTANTIATE_TEST_SUITE_P(
    Keys, FilterKeyTest,
    ::testing::Values(
        KeyCase{"digit0", '0', kValueChars, kTrue, true}, KeyCase{"digit5", '5', kValueChars, kTrue, true},
        KeyCase{"digit9", '9', kValueChars, kTrue, true}, KeyCase{"point", '.', kValueChars, kTrue, true},
        KeyCase{"backspaceWithFlag", kBackspace, kValueChars, kTrue, true},
        KeyCase{"lowerA", 'a', kValueChars, kTrue, false}, KeyCase{"upperA", 'A', kValueChars, kTrue, false},
        KeyCase{"minus", '-', kValueChars, kTrue, false}, KeyCase{"plus", '+', kValueChars, kTrue, false},
        KeyCase{"underscore", '_', kValueChars, kTrue, false}, KeyCase{"space", ' ', kValueChars, kTrue, false},
        KeyCase{"enter", 13, kValueChars, kTrue, false}, KeyCase{"escape", 27, kValueChars, kTrue, false},
        KeyCase{"noKey", 0, kValueChars, kTrue, false},
        KeyCase{"highCodeUnit", static_cast<std::int16_t>(0x8BA1), kValueChars, kTrue, false},
        // With letters allowed, either case passes with its own code.
        KeyCase{"abc_a", 'a', u"abc", 0, true}, KeyCase{"abc_A", 'A', u"abc", 0, true},
        KeyCase{"abc_b", 'b', u"abc", 0, true}, KeyCase{"abc_B", 'B', u"abc", 0, true},
        KeyCase{"abc_c", 'c', u"abc", 0, true}, KeyCase{"abc_C", 'C', u"abc", 0, true},
        KeyCase{"abc_d", 'd', u"abc", 0, false}, KeyCase{"upperAllowed_q", 'q', u"Q", 0, true},
        // Only exactly -1 adds backspace.
        KeyCase{"backspaceFlag0", kBackspace, u"abc", 0, false},
        KeyCase{"backspaceFlag1", kBackspace, u"abc", 1, false},
        KeyCase{"backspaceFlagMinus2", kBackspace, u"abc", -2, false},
        KeyCase{"emptyAllowedWithFlag", kBackspace, u"", kTrue, true},
        KeyCase{"emptyAllowed", 'a', u"", kTrue, false},
        KeyCase{"chineseAllowed", static_cast<std::int16_t>(u'值'), u"值", 0, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FilterKey, ComparesOtherLettersWithoutCaseInAUtf8Locale)
{
    const char* old = std::setlocale(LC_CTYPE, nullptr);
    const std::string saved = old ? old : "C";
    if (!std::setlocale(LC_CTYPE, "C.UTF-8")) GTEST_SKIP() << "no C.UTF-8 locale here";
    int beeps = 0;
    EXPECT_EQ(FilterKey(static_cast<std::int16_t>(u'É'), u"é", 0, [&] { ++beeps; }), static_cast<std::int16_t>(u'É'));
    EXPECT_EQ(FilterKey(static_cast<std::int16_t>(u'é'), u"É", 0, [&] { ++beeps; }), static_cast<std::int16_t>(u'é'));
    std::setlocale(LC_CTYPE, saved.c_str());
    EXPECT_EQ(beeps, 0);
}

TEST(Text2KeyPress, KeepsValueCharactersAndCancelsTheRest)
{
    int beeps = 0;
    const auto beep = [&] { ++beeps; };
    for (char c : std::string("0123456789.")) {
        std::int16_t key = c;
        Text2_KeyPress(key, beep);
        EXPECT_EQ(key, c) << c;
    }
    std::int16_t backspace = kBackspace;
    Text2_KeyPress(backspace, beep);
    EXPECT_EQ(backspace, kBackspace);
    EXPECT_EQ(beeps, 0);

    for (char c : std::string("aAzZ-+ e,\r\x1b")) {
        std::int16_t key = c;
        Text2_KeyPress(key, beep);
        EXPECT_EQ(key, 0) << static_cast<int>(c);
    }
    EXPECT_EQ(beeps, 11);
}

}  // namespace
}  // namespace quorvel
