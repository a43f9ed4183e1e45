#include "cycle.h"

#include "binding.h"
#include "evaluator.h"
#include "fault.h"
#include "reading.h"
#include "syntax_check.h"
#include "texts.h"
#include "tokenizer.h"

namespace quorvel {

namespace {

enum class Trigger { TextChanged, Calculate };

// Each step stops the cycle at its fault; the lists keep the rows they held
// then, the title keeps what the check said if it ran, and Label1 tells why.
Outcome RunCycle(WindowModel& w, Trigger trigger, RowList* tokens)
{
    auto fail = [&w](const Fault& fault) {
        w.label1 = FaultMessage(fault);
        return Outcome::Failure;
    };
    if (auto fault = Tokenize(w.text1, w.list1)) {
        w.marked.reset();  // its place was in a text that is gone
        return fail(*fault);
    }
    if (tokens) *tokens = w.list1;
    CollectVariables(w.list1, w.list2);
    if (trigger == Trigger::TextChanged) {
        ResetValues(w.list2, w.list3);
        w.list3Index = -1;
    }
    if (auto fault = ApplyValues(w.list1, w.list2, w.list3)) return fail(*fault);
    const std::variant<Verdict, Fault> check = CheckSyntax(w.list1);
    if (const Fault* fault = std::get_if<Fault>(&check)) return fail(*fault);
    const Verdict& verdict = std::get<Verdict>(check);
    w.syntaxError = verdict;
    w.title = verdict ? SyntaxMessage(*verdict) : std::string();
    w.marked.reset();
    if (verdict) {
        // Spans are asked for only here, so the passing cycle does not pay
        // for them.
        if (verdict->token > 0) {
            RowList again;
            Tokenize(w.text1, again, &w.scratch.spans);
            w.marked = w.scratch.spans.at(static_cast<size_t>(verdict->token) - 1);
        }
        return Outcome::SyntaxMessage;
    }
    w.label1.clear();
    Evaluation evaluation = Evaluate(w.list1, w.rnd, w.scratch.evaluator);
    if (Result* result = std::get_if<Result>(&evaluation)) {
        w.label1 = std::move(result->text);
        return Outcome::Result;
    }
    if (const Fault* fault = std::get_if<Fault>(&evaluation)) return fail(*fault);
    w.label1 = texts::kDivisorZero;
    return Outcome::DivisorZero;
}

}  // namespace

Outcome Text1_Change(WindowModel& w, RowList* tokens) { return w.outcome = RunCycle(w, Trigger::TextChanged, tokens); }

Outcome Command1_Click(WindowModel& w, RowList* tokens) { return w.outcome = RunCycle(w, Trigger::Calculate, tokens); }

Outcome SetText1(WindowModel& w, std::u16string text)
{
    if (text == w.text1) return Outcome::NotRun;
    w.text1 = std::move(text);
    return Text1_Change(w);
}

std::optional<std::u16string> ReadText1(WindowModel& w)
{
    // Values change no token's class, so the tokens as typed read as the
    // substituted ones that the check passed.
    RowList tokens;
    if (Tokenize(w.text1, tokens, &w.scratch.spans)) return std::nullopt;
    const std::variant<Verdict, Fault> check = CheckSyntax(tokens);
    const Verdict* verdict = std::get_if<Verdict>(&check);
    if (!verdict || *verdict) return std::nullopt;
    return Reading(w.text1, tokens, w.scratch.spans, w.scratch.reading);
}

}  // namespace quorvel
