#include "calculation.h"

#include "command3.h"
#include "expression_file.h"
#include "fault.h"
#include "texts.h"
#include "tokenizer.h"
#include "utf.h"

namespace quorvel::cli {

Result Calculate(const Request& request)
{
    Result r;
    r.expression = request.expression;
    WindowModel& w = r.window;
    w.text1 = Utf8ToUtf16(request.expression);
    r.outcome = Text1_Change(w, &r.tokens);
    if (request.reading) r.reading = ReadText1(w);
    if (!request.click) return r;

    for (const auto& [name, value] : request.values) {
        bool found = false;
        for (int k = 0; k < w.list2.Count(); ++k) {
            if (w.list2.Read(k) != name) continue;
            w.list3.Write(k, value);
            found = true;
        }
        if (!found) {
            r.error = texts::kNoSuchVariable + name;
            return r;
        }
    }
    if (request.rows) {
        if (static_cast<int>(request.rows->size()) != w.list2.Count()) {
            r.error = texts::kRowsWanted.With(std::to_string(w.list2.Count()));
            return r;
        }
        for (size_t k = 0; k < request.rows->size(); ++k) w.list3.Write(static_cast<int>(k), (*request.rows)[k]);
    }
    r.tokens = w.list1;  // kept when tokenizing fails
    r.outcome = Command1_Click(w, &r.tokens);
    return r;
}

Result Load(const std::string& fileName, bool reading)
{
    Result r;
    WindowModel& w = r.window;
    if (!IsOrdinaryFile(fileName)) {
        r.error = texts::kNoSuchFile + fileName;
        return r;
    }
    r.outcome = TransferExpressionFile(kLoadFile, w, fileName);
    if (r.outcome == Outcome::NotRun) {
        r.error = w.label1.empty() ? texts::kEmptyFile + fileName : w.label1 + ": " + fileName;
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
    default: return 2;
    }
}

const std::string& Message(const Result& r)
{
    return r.outcome == Outcome::SyntaxMessage ? r.window.title : r.window.label1;
}

}  // namespace quorvel::cli
