#include "cli.h"

#include <algorithm>
#include <istream>
#include <optional>
#include <ostream>
#include <stdexcept>

#include "calculation.h"
#include "json_lines.h"
#include "utf.h"

#ifndef QUORVEL_VERSION
#define QUORVEL_VERSION "unknown"
#endif

namespace quorvel::cli {

namespace {

constexpr const char* kUsageLine =
    "用法: quorvel-cli [--json] [--explain] 表达式 [变量=值]...\n"
    "      quorvel-cli [--json] -\n"
    "      quorvel-cli [--json] [--explain] --file 文件\n";

constexpr const char* kHelp =
    "计算表达式, 与 Quorvel 窗口的计算完全相同.\n"
    "\n"
    "  表达式      如同在表达式框中键入; 负数写作 _5, 函数如 sin(x)\n"
    "  变量=值     给表达式中的变量赋值, 然后如同点击\"计算\"\n"
    "  -           从标准输入逐行读取, 每行一次独立的计算\n"
    "  --file 文件 如同窗口的\"打开\"载入表达式文件 (各行相连, 每行一次计算),\n"
    "              输出最后一次计算的结果\n"
    "  --json      每次计算输出一行JSON对象; 与 - 同用时每行输入也是JSON:\n"
    "              {\"expression\": \"x+1\", \"values\": {\"x\": \"5\"}} 或\n"
    "              {\"expression\": \"x+y\", \"rows\": [\"2\", \"3\"]}\n"
    "  --explain   在结果前另起一行输出运算顺序: 六遍归约 / ^ * \\ + - 的每一步\n"
    "              加上括号, 如 8-2+1 输出 8-(2+1); 语法错误时不输出\n"
    "              (--json 的对象总有键 reading, 语法错误时为 null)\n"
    "  --help      显示本说明\n"
    "  --version   显示版本\n"
    "\n"
    "退出码: 0 结果, 1 语法错误, 2 除数为0或计算错误, 64 用法错误, 65 输入行无效,\n"
    "        66 无法载入文件.\n";

int Usage(std::ostream& err, const std::string& why)
{
    err << "quorvel-cli: " << why << '\n' << kUsageLine;
    return kUsage;
}

// Strips the line end: LF, or CR LF.
void Chomp(std::string& line)
{
    if (!line.empty() && line.back() == '\r') line.pop_back();
}

int RunLines(bool json, std::istream& in, std::ostream& out)
{
    int worst = 0;
    std::string buffer;
    std::string line;
    while (std::getline(in, line)) {
        Chomp(line);
        if (!json) {
            Result r = Calculate(Request{line, {}, std::nullopt, false});
            worst = std::max(worst, Severity(r));
            buffer += Message(r);
        } else {
            try {
                const Request request = ParseJsonRequest(line);
                Result r = Calculate(request);
                worst = std::max(worst, r.error.empty() ? Severity(r) : kBadInputLine);
                buffer += JsonLine(request, r);
            } catch (const std::invalid_argument& e) {
                worst = kBadInputLine;
                buffer += JsonErrorLine(e.what(), line);
            }
        }
        buffer += '\n';
        if (buffer.size() > (1u << 16)) {
            out << buffer;
            buffer.clear();
        }
    }
    out << buffer;
    out.flush();
    return worst;
}

int Print(bool json, bool explain, const Request& request, const Result& r, std::ostream& out, std::ostream& err)
{
    const int severity = Severity(r);
    if (json) {
        out << JsonLine(request, r) << '\n';
    } else {
        if (explain && r.window.reading) out << Utf16ToUtf8(*r.window.reading) << '\n';
        (severity == 0 ? out : err) << Message(r) << '\n';
    }
    return severity;
}

}  // namespace

int Run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err)
{
    bool json = false;
    bool explain = false;
    std::optional<std::string> file;
    size_t i = 0;
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--json") {
            json = true;
        } else if (a == "--explain") {
            explain = true;
        } else if (a == "--help") {
            out << kUsageLine << '\n' << kHelp;
            return 0;
        } else if (a == "--version") {
            out << "quorvel-cli " << QUORVEL_VERSION << '\n';
            return 0;
        } else if (a == "--file") {
            if (i + 2 != args.size()) return Usage(err, "--file 之后应恰有一个文件名");
            file = args[i + 1];
            break;
        } else if (a == "--") {
            ++i;
            break;
        } else if (a.rfind("--", 0) == 0) {
            return Usage(err, "未知选项 " + a);
        } else {
            break;
        }
    }
    if (file) {
        Result r = Load(*file);
        if (!r.error.empty()) {
            err << "quorvel-cli: " << r.error << '\n';
            return kNoInput;
        }
        return Print(json, explain, Request{r.expression, {}, std::nullopt, false}, r, out, err);
    }
    if (i == args.size()) return Usage(err, "缺少表达式");
    if (args[i] == "-") {
        if (i + 1 != args.size()) return Usage(err, "- 之后不能再有参数");
        return RunLines(json, in, out);
    }

    Request request{args[i], {}, std::nullopt, false};
    for (size_t k = i + 1; k < args.size(); ++k) {
        const size_t eq = args[k].find('=');
        if (eq == std::string::npos || eq == 0) return Usage(err, "参数应为 变量=值: " + args[k]);
        request.values.emplace_back(args[k].substr(0, eq), args[k].substr(eq + 1));
        request.click = true;
    }
    Result r = Calculate(request);
    if (!r.error.empty()) return Usage(err, r.error);
    return Print(json, explain, request, r, out, err);
}

}  // namespace quorvel::cli
