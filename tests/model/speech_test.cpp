// What a screen reader is told unasked, a row of speech.tsv at a time: the
// steps a user takes, then every announcement made, in order.
#include <sstream>

#include "cycle.h"
#include "expression_file.h"
#include "speech.h"
#include "table.h"

namespace quorvel {
namespace {

class Heard : public ::testing::TestWithParam<test::Row> {};

TEST_P(Heard, OnceAndFresh)
{
    WindowModel w;
    Speech speech;
    std::string said;
    auto tell = [&](Happened what, const std::string& copied = {}) {
        const std::string now = speech.After(what, w, copied);
        if (!now.empty()) said += (said.empty() ? "" : " | ") + now;
    };
    std::istringstream steps(GetParam()["steps"]);
    for (std::string step; steps >> step;) {
        const std::string arg = test::Bytes(step.substr(step.find(':') + 1));
        if (step.starts_with("t:")) SetText1(w, Utf8ToUtf16(arg));
        else if (step == "pause") tell(Happened::Paused);
        else if (step == "calc") {
            Command1_Click(w);
            tell(Happened::Calculated);
        } else if (step.starts_with("up:")) {
            SetText1(w, Utf8ToUtf16(arg));
            tell(Happened::Recalled);
        } else if (step == "copy") tell(Happened::Copied, w.label1);
        else if (step.starts_with("v:")) {
            List3_Click(w, 0);
            SetText2(w, arg);
        } else if (step.starts_with("load:")) {
            const FileLoad load = LoadExpressionFile(w, arg);
            tell(load.what == Load::Loaded ? Happened::Loaded : Happened::FileFailed);
        } else FAIL() << "unknown step " << step;
    }
    EXPECT_EQ(said, test::Bytes(GetParam()["said"]));
}

INSTANTIATE_TEST_SUITE_P(Rows, Heard, ::testing::ValuesIn(test::Table("speech.tsv")), test::RowName);

}  // namespace
}  // namespace quorvel
