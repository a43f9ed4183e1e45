#include "cycle.h"

#include "binding.h"
#include "evaluator.h"
#include "fault.h"
#include "reading.h"
#include "syntax_check.h"
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
    if (auto fault = Tokenize(w.text1, w.list1)) return fail(*fault);
    if (tokens) *tokens = w.list1;
    CollectVariables(w.list1, w.list2);
    if (trigger == Trigger::TextChanged) {
        ResetValues(w.list2, w.list3);
        w.list3Index = -1;
    }
    if (auto fault = ApplyValues(w.list1, w.list2, w.list3)) return fail(*fault);
    std::string message;
    int named = 0;
    if (auto fault = CheckSyntax(w.list1, message, &named)) return fail(*fault);
    w.title = message;
    w.marked.reset();
    w.reading.reset();
    if (!message.empty()) {
        // Spans are only wanted here, so the passing cycle does not pay for them.
        if (named > 0) {
            std::vector<TokenSpan> spans;
            TokenSpans(w.text1, spans);
            w.marked = spans.at(static_cast<size_t>(named) - 1);
        }
        return Outcome::SyntaxMessage;
    }
    // Values change no token's class, so the substituted list reads as typed.
    if (w.wantReading) w.reading = Reading(w.text1, w.list1);
    w.label1.clear();
    std::string result;
    if (auto fault = Evaluate(w.list1, w.rnd, result)) return fail(*fault);
    w.label1 = std::move(result);
    return w.label1 == kDivisorZero ? Outcome::DivisorZero : Outcome::Result;
}

}  // namespace

Outcome Text1_Change(WindowModel& w, RowList* tokens) { return RunCycle(w, Trigger::TextChanged, tokens); }

Outcome Command1_Click(WindowModel& w, RowList* tokens) { return RunCycle(w, Trigger::Calculate, tokens); }

Outcome SetText1(WindowModel& w, std::u16string text)
{
    if (text == w.text1) return Outcome::NotRun;
    w.text1 = std::move(text);
    return Text1_Change(w);
}

}  // namespace quorvel
