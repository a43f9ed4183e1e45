#include "cli.h"

#include <algorithm>
#include <istream>
#include <optional>
#include <ostream>
#include <stdexcept>

#include "calculation.h"
#include "json_lines.h"
#include "texts.h"
#include "utf.h"

#ifndef QUORVEL_VERSION
#define QUORVEL_VERSION "unknown"
#endif

namespace quorvel::cli {

namespace {

int Usage(std::ostream& err, const std::string& why)
{
    err << "quorvel-cli: " << why << '\n' << texts::kUsage;
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
            Result r = Calculate(Request{line, {}, std::nullopt, false, false});
            worst = std::max(worst, Severity(r));
            buffer += Message(r);
        } else {
            try {
                Request request = ParseJsonRequest(line);
                request.reading = true;
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
        if (explain && r.reading) out << Utf16ToUtf8(*r.reading) << '\n';
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
            out << texts::kUsage << '\n' << texts::kHelp;
            return 0;
        } else if (a == "--version") {
            out << "quorvel-cli " << QUORVEL_VERSION << '\n';
            return 0;
        } else if (a == "--file") {
            if (i + 2 != args.size()) return Usage(err, texts::kFileNeedsOneName);
            file = args[i + 1];
            break;
        } else if (a == "--") {
            ++i;
            break;
        } else if (a.rfind("--", 0) == 0) {
            return Usage(err, texts::kUnknownOption + a);
        } else {
            break;
        }
    }
    if (file) {
        Result r = Load(*file, json || explain);
        if (!r.error.empty()) {
            err << "quorvel-cli: " << r.error << '\n';
            return kNoInput;
        }
        return Print(json, explain, Request{r.expression, {}, std::nullopt, false, true}, r, out, err);
    }
    if (i == args.size()) return Usage(err, texts::kNoExpression);
    if (args[i] == "-") {
        if (i + 1 != args.size()) return Usage(err, texts::kNothingAfterDash);
        return RunLines(json, in, out);
    }

    Request request{args[i], {}, std::nullopt, false, json || explain};
    for (size_t k = i + 1; k < args.size(); ++k) {
        const size_t eq = args[k].find('=');
        if (eq == std::string::npos || eq == 0) return Usage(err, texts::kNotAnAssignment + args[k]);
        request.values.emplace_back(args[k].substr(0, eq), args[k].substr(eq + 1));
        request.click = true;
    }
    Result r = Calculate(request);
    if (!r.error.empty()) return Usage(err, r.error);
    return Print(json, explain, request, r, out, err);
}

}  // namespace quorvel::cli
