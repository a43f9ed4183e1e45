// The companion in-process, a row of cli.tsv per call, under a German locale
// so that a decimal comma would show in any number text.
#include <clocale>
#include <sstream>

#include "cli.h"
#include "table.h"

namespace quorvel::cli {
namespace {

using test::Cell;

class Cli : public ::testing::TestWithParam<test::Row> {};

TEST_P(Cli, ExitCodeAndOutput)
{
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "the set-up commands create de_DE.UTF-8";
    const test::Row& row = GetParam();
    std::vector<std::string> args;
    std::istringstream words(row.at("args"));
    for (std::string word; words >> word;) args.push_back(word[0] == '@' ? TABLES "/" + word.substr(1) : Cell(word));
    std::istringstream in(Cell(row.at("stdin")));
    std::ostringstream out, err;
    EXPECT_EQ(cli::Run(args, in, out, err), std::stoi(row.at("code")));
    EXPECT_TRUE(row.at("stdout") == "*" || out.str() == Cell(row.at("stdout"))) << out.str();
    EXPECT_TRUE(row.at("stderr") == "*" ? !err.str().empty() : err.str() == Cell(row.at("stderr"))) << err.str();
}

INSTANTIATE_TEST_SUITE_P(Calls, Cli, ::testing::ValuesIn(test::Table("cli.tsv")), test::RowName);

}  // namespace
}  // namespace quorvel::cli
