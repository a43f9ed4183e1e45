#include <gtest/gtest.h>

#include <sstream>

#include <nlohmann/json.hpp>

#include "cli.h"

namespace quorvel::cli {
namespace {

struct Ran {
    int code;
    std::string out, err;
};

Ran Call(std::vector<std::string> args, const std::string& input = "")
{
    std::istringstream in(input);
    std::ostringstream out, err;
    const int code = cli::Run(args, in, out, err);
    return {code, out.str(), err.str()};
}

struct PlainCase {
    std::vector<std::string> args;
    int code;
    std::string out, err;  // err: the first line only
};

class PlainTable : public ::testing::TestWithParam<PlainCase> {};

TEST_P(PlainTable, OutputAndExitCode)
{
    const PlainCase& c = GetParam();
    const Ran r = Call(c.args);
    EXPECT_EQ(r.code, c.code);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err.substr(0, r.err.find('\n') + 1), c.err);
}

INSTANTIATE_TEST_SUITE_P(Arguments, PlainTable, ::testing::Values(
    PlainCase{{"2*(x+1)"}, 0, "2\n", ""},
    PlainCase{{"2*(x+1)", "x=5"}, 0, "12\n", ""},
    PlainCase{{"x+y*x", "x=2", "y=3"}, 0, "8\n", ""},
    PlainCase{{"X+x", "x=1"}, 0, "1\n", ""},
    PlainCase{{"1/x"}, 2, "", "除数为0错\n"},
    PlainCase{{"1/x", "x=4"}, 0, "0.25\n", ""},
    PlainCase{{"(1"}, 1, "", "错误:发现缺少)\n"},
    PlainCase{{""}, 1, "", "错误:第一个字符串类型只能是(,正,负常数,变量\n"},
    PlainCase{{"-5"}, 1, "", "错误:第一个字符串类型只能是(,正,负常数,变量\n"},
    PlainCase{{"--", "--5"}, 1, "", "错误:第一个字符串类型只能是(,正,负常数,变量\n"},
    PlainCase{{"x", "x="}, 2, "", "变量x的值不是数字错\n"},
    PlainCase{{"x*10", "x=1e308"}, 2, "", "数值溢出错\n"},
    PlainCase{{"sqr(_1)"}, 2, "", "负数不能开平方错\n"},
    PlainCase{{"x", "y=1"}, kUsage, "", "quorvel-cli: 表达式中没有变量y\n"},
    PlainCase{{"x", "=1"}, kUsage, "", "quorvel-cli: 参数应为 变量=值: =1\n"},
    PlainCase{{"x", "5"}, kUsage, "", "quorvel-cli: 参数应为 变量=值: 5\n"},
    PlainCase{{}, kUsage, "", "quorvel-cli: 缺少表达式\n"},
    PlainCase{{"--json"}, kUsage, "", "quorvel-cli: 缺少表达式\n"},
    PlainCase{{"--frobnicate", "1"}, kUsage, "", "quorvel-cli: 未知选项 --frobnicate\n"},
    PlainCase{{"-", "x=1"}, kUsage, "", "quorvel-cli: - 之后不能再有参数\n"}));

TEST(Cli, UsageErrorsShowTheUsageLine)
{
    const Ran r = Call({});
    EXPECT_NE(r.err.find("用法: quorvel-cli [--json] 表达式 [变量=值]..."), std::string::npos);
    EXPECT_EQ(Call({"--help"}).code, 0);
    EXPECT_NE(Call({"--version"}).out.find("quorvel-cli "), std::string::npos);
}

TEST(Cli, JsonObjectHoldsTheWindow)
{
    const Ran r = Call({"--json", "2*3\\(a-a)", "a=1"});
    EXPECT_EQ(r.code, 2);
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["expression"], "2*3\\(a-a)");
    EXPECT_EQ(j["title"], "");
    EXPECT_EQ(j["result"], "除数为0错");
    EXPECT_TRUE(j["failure"].is_null());
    EXPECT_EQ(j["tokens"], nlohmann::json::parse(R"j(["9","2","*","3","\\","(","a","-","a",")"])j"));
    EXPECT_EQ(j["names"], nlohmann::json::parse(R"j(["a","a"])j"));
    EXPECT_EQ(j["values"], nlohmann::json::parse(R"j(["1","1"])j"));
    EXPECT_EQ(j["list1"], nlohmann::json::parse(R"j(["9","6","\\","0","","","",""])j"));
    EXPECT_EQ(r.out.find('\n'), r.out.size() - 1) << "one object per line";
}

TEST(Cli, JsonFailureKeepsTheTitleOfTheCheck)
{
    const auto j = nlohmann::json::parse(Call({"--json", "log(x)"}).out);
    EXPECT_EQ(j["failure"], "对数的参数必须大于0错");
    EXPECT_EQ(j["result"], "对数的参数必须大于0错");
    EXPECT_EQ(j["title"], "");
    EXPECT_EQ(j["list1"], nlohmann::json::parse(R"j(["4","log","(","0",")"])j"));
}

TEST(Cli, PlainLinesOnePerInputLine)
{
    const Ran r = Call({"-"}, "1+2\r\n3*(4\n\n_7\\2\n1/0\n");
    EXPECT_EQ(r.out, "3\n错误:发现缺少)\n错误:第一个字符串类型只能是(,正,负常数,变量\n-3\n除数为0错\n");
    EXPECT_EQ(r.code, 2) << "the worst line sets the exit code";
    EXPECT_EQ(Call({"-"}, "1\n2").code, 0);
    EXPECT_EQ(Call({"-"}, "").out, "");
}

TEST(Cli, JsonLinesWithValuesRowsAndErrors)
{
    const std::string input =
        R"({"expression": "x+y*x", "values": {"x": "2", "y": "3"}})" "\n"
        R"({"expression": "x+y*x", "rows": ["2", "3", "5"]})" "\r\n"
        R"({"expression": "x+y*x", "rows": ["2"]})" "\n"
        "not json\n"
        R"({"expression": 5})" "\n"
        R"({"expression": "a", "values": {"a": 1.5}})" "\n"
        R"({"expression": "q", "values": {"z": "1"}})" "\n"
        R"({"expression": "1+1"})" "\n";
    const Ran r = Call({"--json", "-"}, input);
    std::istringstream lines(r.out);
    std::vector<nlohmann::json> out;
    for (std::string line; std::getline(lines, line);) out.push_back(nlohmann::json::parse(line));
    ASSERT_EQ(out.size(), 8u);
    EXPECT_EQ(out[0]["result"], "8");
    EXPECT_EQ(out[0]["values"], nlohmann::json::parse(R"j(["2","3","2"])j"));
    EXPECT_EQ(out[1]["result"], "8");
    EXPECT_EQ(out[1]["values"], nlohmann::json::parse(R"j(["2","3","5"])j"));
    for (size_t k : {2u, 3u, 4u, 6u}) EXPECT_TRUE(out[k].contains("error")) << k;
    EXPECT_EQ(out[5]["result"], "1.5");
    EXPECT_EQ(out[7]["result"], "2");
    EXPECT_EQ(r.code, kBadInputLine);
}

}  // namespace
}  // namespace quorvel::cli
