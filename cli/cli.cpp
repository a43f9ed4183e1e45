#include "cli.h"

#include <algorithm>
#include <istream>
#include <ostream>
#include <span>
#include <stdexcept>

#include "calculation.h"
#include "json_lines.h"
#include "program.h"
#include "texts.h"
#include "utf.h"

namespace quorvel::cli {

namespace {

int Usage(std::ostream& err, const std::string& why)
{
    err << "quorvel-cli: " << why << '\n' << texts::kUsage;
    return kUsageExit;
}

// Strips the line end: LF, or CR LF.
void Chomp(std::string& line)
{
    if (!line.empty() && line.back() == '\r') line.pop_back();
}

// One calculation a line; the worst severity is the exit status. One result
// serves every line, so its storage is used again.
int RunLines(bool json, std::istream& in, std::ostream& out)
{
    int worst = 0;
    Result r;
    std::string line;
    while (std::getline(in, line)) {
        Chomp(line);
        if (!json) {
            Calculate({.expression = line}, r);
            worst = std::max(worst, Severity(r));
            out << Message(r) << '\n';
            continue;
        }
        try {
            Request request = ParseJsonRequest(line);
            request.reading = request.tokens = true;
            Calculate(request, r);
            worst = std::max(worst, r.error ? kBadInputLine : Severity(r));
            out << JsonLine(request, r) << '\n';
        } catch (const std::invalid_argument& e) {
            worst = kBadInputLine;
            out << JsonErrorLine(e.what(), line) << '\n';
        }
    }
    out.flush();
    return worst;
}

int Print(bool json, bool explain, const Request& request, const Result& r, std::ostream& out, std::ostream& err)
{
    const int severity = Severity(r);
    if (json) {
        out << JsonLine(request, r) << '\n';
    } else {
        if (explain && r.reading) out << Utf16ToUtf8(*r.reading) << '\n';
        (severity == 0 ? out : err) << Message(r) << '\n';
    }
    return severity;
}

int RunFile(bool json, bool explain, const std::string& file, std::ostream& out, std::ostream& err)
{
    const Result r = LoadFile(file, json || explain);
    if (r.error) {
        err << "quorvel-cli: " << *r.error << '\n';
        return kNoInput;
    }
    return Print(json, explain, {.expression = r.expression}, r, out, err);
}

// The expression, then its NAME=VALUE arguments.
int RunArguments(bool json, bool explain, std::span<const std::string> words, std::ostream& out, std::ostream& err)
{
    Request request{.expression = words[0], .reading = json || explain, .tokens = json};
    for (const std::string& word : words.subspan(1)) {
        const size_t eq = word.find('=');
        if (eq == std::string::npos || eq == 0) return Usage(err, texts::kNotAnAssignment + word);
        request.values.emplace_back(word.substr(0, eq), word.substr(eq + 1));
        request.click = true;
    }
    Result r;
    Calculate(request, r);
    if (r.error) return Usage(err, *r.error);
    return Print(json, explain, request, r, out, err);
}

}  // namespace

int Run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err)
{
    bool json = false;
    bool explain = false;
    auto a = args.begin();
    for (; a != args.end() && a->starts_with("--"); ++a) {
        if (*a == "--json") {
            json = true;
        } else if (*a == "--explain") {
            explain = true;
        } else if (*a == "--help") {
            out << texts::kUsage << '\n' << texts::kHelp;
            return 0;
        } else if (*a == "--version") {
            out << "quorvel-cli " << kVersion << '\n';
            return 0;
        } else if (*a == "--file") {
            if (args.end() - a != 2) return Usage(err, texts::kFileNeedsOneName);
            return RunFile(json, explain, a[1], out, err);
        } else if (*a == "--") {
            ++a;
            break;
        } else {
            return Usage(err, texts::kUnknownOption + *a);
        }
    }
    if (a == args.end()) return Usage(err, texts::kNoExpression);
    if (*a == "-") {
        if (a + 1 != args.end()) return Usage(err, texts::kNothingAfterDash);
        return RunLines(json, in, out);
    }
    return RunArguments(json, explain, std::span(a, args.end()), out, err);
}

}  // namespace quorvel::cli
