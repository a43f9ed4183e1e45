// The companion in-process, a row of cli.tsv per call, under a German locale
// so that a decimal comma would show in any number text.
#include <clocale>
#include <sstream>

#include "cli.h"
#include "program.h"
#include "table.h"
#include "texts.h"

namespace quorvel::cli {
namespace {

using test::Bytes;

// "@" names a file beside this table.
std::string Beside(std::string cell)
{
    for (size_t at = 0; (at = cell.find('@', at)) != std::string::npos;) cell.replace(at, 1, TABLES "/");
    return cell;
}

class Cli : public ::testing::TestWithParam<test::Row> {};

TEST_P(Cli, ExitCodeAndOutput)
{
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "the set-up commands create de_DE.UTF-8";
    const test::Row& row = GetParam();
    std::vector<std::string> args;
    std::istringstream words(row["args"]);
    for (std::string word; words >> word;) args.push_back(Beside(Bytes(word)));
    std::istringstream in(Bytes(row["stdin"]));
    std::ostringstream out, err;
    const int code = cli::Run(args, in, out, err);
    EXPECT_EQ(code, std::stoi(row["code"]));
    // "*" is not checked.
    EXPECT_TRUE(row["stdout"] == "*" || out.str() == Bytes(row["stdout"])) << out.str();
    // A usage error's why, then the usage, which the help row checks.
    const std::string usage = code == kUsageExit ? texts::kUsage : "";
    EXPECT_TRUE(row["stderr"] == "*" ? !err.str().empty() : err.str() == Beside(Bytes(row["stderr"])) + usage) << err.str();
}

INSTANTIATE_TEST_SUITE_P(Calls, Cli, ::testing::ValuesIn(test::Table("cli.tsv")), test::RowName);

}  // namespace
}  // namespace quorvel::cli
