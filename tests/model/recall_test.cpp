// The walk through the history and what goes into it, a row of recall.tsv at
// a time: steps on the expression box, then what the box shows and what the
// history keeps.
#include <map>
#include <sstream>

#include "recall.h"
#include "table.h"

namespace quorvel {
namespace {

class Walk : public ::testing::TestWithParam<test::Row> {};

TEST_P(Walk, ShowsAndKeeps)
{
    const std::map<std::string, Moment> moments = {{"calc", Moment::Calculated}, {"load", Moment::Loaded},
                                                   {"save", Moment::Saved},      {"copy", Moment::Copied},
                                                   {"close", Moment::Closed}};
    Recall recall;
    std::u16string box;
    std::istringstream steps(GetParam()["steps"]);
    for (std::string step; steps >> step;) {
        if (step.starts_with("e:")) {
            box = test::Units(step.substr(2));
            recall.After(Moment::Edited, box);
        } else if (step == "up" || step == "down") {
            if (auto shown = recall.Walk(step == "up" ? 1 : -1, box)) box = *shown;
        } else if (step == "clear") {
            recall.Clear();
        } else {
            recall.After(moments.at(step), box);
        }
    }
    EXPECT_EQ(Utf16ToUtf8(box), test::Bytes(GetParam()["box"]));
    RowList kept;
    for (const std::u16string& entry : recall.Entries()) kept.Append(Utf16ToUtf8(entry));
    EXPECT_EQ(kept, test::Rows(GetParam()["history"]));
}

INSTANTIATE_TEST_SUITE_P(Rows, Walk, ::testing::ValuesIn(test::Table("recall.tsv")), test::RowName);

}  // namespace
}  // namespace quorvel
