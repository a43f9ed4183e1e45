#include <gtest/gtest.h>

#include "implementations.h"
#include "test_rows.h"

namespace quorvel {
namespace {

using test::Rows;
using test::Spaced;

struct BindCase {
    std::u16string typed;
    std::string names;       // name list, row 0 first
    std::string values;      // value list set by the user; "" keeps the zeros
    std::string substituted; // token list after ApplyValues
    std::string faultName;   // variable whose value failed, or ""
};

class BindTable : public ::testing::TestWithParam<BindCase> {};

TEST_P(BindTable, CollectResetApply)
{
    const BindCase& c = GetParam();
    for (const auto& impl : test::Implementations()) {
        SCOPED_TRACE(impl.name);
        RowList tokens, names, values = Rows("stale rows");
        ASSERT_FALSE(impl.tokenize(c.typed, tokens));
        impl.collectVariables(tokens, names);
        EXPECT_EQ(Spaced(names), c.names);
        impl.resetValues(names, values);
        EXPECT_EQ(values.Count(), names.Count());
        for (const std::string& v : values.Rows()) EXPECT_EQ(v, "0");
        if (!c.values.empty()) values = Rows(c.values);
        const auto fault = impl.applyValues(tokens, names, values);
        EXPECT_EQ(Spaced(tokens), c.substituted);
        if (c.faultName.empty()) {
            EXPECT_FALSE(fault);
        } else {
            ASSERT_TRUE(fault);
            EXPECT_EQ(*fault, (Fault{FaultKind::ValueNotNumber, c.faultName}));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Expressions, BindTable, ::testing::Values(
    BindCase{u"x+y*x", "x y x", "", "5 0 + 0 * 0", ""},
    BindCase{u"x+y*x", "x y x", "2 3 5", "5 2 + 3 * 2", ""},
    BindCase{u"sin(a)+TAN", "TAN a", "", "6 sin ( 0 ) + 0", ""},
    BindCase{u"2+3", "", "", "3 2 + 3", ""},
    BindCase{u"", "", "", "0", ""},
    BindCase{u"TAn(b)*t", "t b", "", "6 TAn ( 0 ) * 0", ""},
    BindCase{u"X+x", "x X", "1 2", "3 2 + 1", ""},
    BindCase{u"rate*(1+rate)", "rate rate", "0.05 9", "7 0.05 * ( 1 + 0.05 )", ""},
    BindCase{u"x+y", "y x", ".5 007", "3 7 + 0.5", ""},
    BindCase{u"x+y", "y x", "2.50 3.", "3 3 + 2.5", ""},
    BindCase{u"x", "x", "0.1234567890123456789", "1 0.123456789012346", ""},
    // The first value that is not a number stops the substitution there.
    BindCase{u"x+y*x", "x y x", "2 3 ~", "5 2 + 3 * 2", "x"},
    BindCase{u"x+y*z", "z y x", "1 1.2.3 4", "5 x + y * 1", "y"},
    BindCase{u"a+b", "b a", "abc 1", "3 a + b", "b"},
    BindCase{u"a+b", "b a", "1", "3 a + 1", "a"}));

}  // namespace
}  // namespace quorvel
