#include "calculation.h"

#include "command3.h"
#include "expression_file.h"
#include "texts.h"
#include "tokenizer.h"
#include "utf.h"

namespace quorvel::cli {

namespace {

// A fresh result that takes over r's storage, emptied.
void Renew(Result& r)
{
    Result fresh;
    const auto keep = [](RowList& from, RowList& to) {
        from.Clear();
        to = std::move(from);
    };
    keep(r.window.list1, fresh.window.list1);
    keep(r.window.list2, fresh.window.list2);
    keep(r.window.list3, fresh.window.list3);
    keep(r.tokens, fresh.tokens);
    r.window.text1.clear();
    fresh.window.text1 = std::move(r.window.text1);
    fresh.window.scratch = std::move(r.window.scratch);
    r = std::move(fresh);
}

// Enters the request's values as the value box would; false, with r.error
// saying why, when they do not fit the expression.
bool EnterValues(const Request& request, Result& r)
{
    WindowModel& w = r.window;
    for (const auto& [name, value] : request.values) {
        bool found = false;
        for (int k = 0; k < w.list2.Count(); ++k) {
            if (w.list2.Read(k) != name) continue;
            w.list3.Write(k, value);
            found = true;
        }
        if (!found) {
            r.error = texts::kNoSuchVariable + name;
            return false;
        }
    }
    if (!request.rows) return true;
    if (static_cast<int>(request.rows->size()) != w.list2.Count()) {
        r.error = texts::kRowsWanted.With(std::to_string(w.list2.Count()));
        return false;
    }
    for (size_t k = 0; k < request.rows->size(); ++k) w.list3.Write(static_cast<int>(k), (*request.rows)[k]);
    return true;
}

// Why nothing was loaded, as the companion says it.
std::string LoadError(Load what, const std::string& fileName)
{
    switch (what) {
    case Load::Loaded: break;
    case Load::NotOrdinary: return texts::kNoSuchFile + fileName;
    case Load::Empty: return texts::kEmptyFile + fileName;
    case Load::CannotOpen:
    case Load::CannotRead: return std::string(LoadMessage(what)) + ": " + fileName;
    }
    return {};
}

}  // namespace

void Calculate(const Request& request, Result& r)
{
    Renew(r);
    WindowModel& w = r.window;
    w.text1 = Utf8ToUtf16(request.expression);
    // The tokens are copied only when asked for, since the copy is a large
    // part of a long line's work.
    RowList* tokens = request.tokens ? &r.tokens : nullptr;
    r.outcome = Text1_Change(w, tokens);
    if (request.reading) r.reading = ReadText1(w);
    if (!request.click || !EnterValues(request, r)) return;
    if (tokens) *tokens = w.list1;  // kept when tokenizing fails
    r.outcome = Command1_Click(w, tokens);
}

Result LoadFile(const std::string& fileName, bool reading)
{
    Result r;
    WindowModel& w = r.window;
    const FileLoad load = OpenExpressionFile(w, fileName);
    r.outcome = load.last;
    if (load.what != Load::Loaded) {
        r.error = LoadError(load.what, fileName);
        return r;
    }
    r.expression = Utf16ToUtf8(w.text1);
    Tokenize(w.text1, r.tokens);  // the rows the last cycle tokenized
    if (reading) r.reading = ReadText1(w);
    return r;
}

int Severity(const Result& r)
{
    switch (r.outcome) {
    case Outcome::Result: return 0;
    case Outcome::SyntaxMessage: return 1;
    case Outcome::DivisorZero:
    case Outcome::Failure:
    case Outcome::NotRun: break;
    }
    return 2;
}

const std::string& Message(const Result& r)
{
    return r.outcome == Outcome::SyntaxMessage ? r.window.title : r.window.label1;
}

}  // namespace quorvel::cli
