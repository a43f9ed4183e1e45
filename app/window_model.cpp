#include "window_model.h"

#include "binding.h"
#include "evaluator.h"
#include "fault.h"
#include "syntax_check.h"
#include "tokenizer.h"

namespace quorvel {

namespace {

enum class Trigger { TextChanged, Calculate };

// Each step stops the cycle at its fault; the lists keep the rows they held
// then, the title keeps what the check said if it ran, and Label1 tells why.
void RunCycle(WindowModel& w, Trigger trigger, RowList* tokens)
{
    w.failure.reset();
    auto fail = [&w](const Fault& fault) {
        w.failure = FaultMessage(fault);
        w.label1 = *w.failure;
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
    if (auto fault = CheckSyntax(w.list1, message)) return fail(*fault);
    w.title = message;
    if (!message.empty()) return;
    w.label1.clear();
    std::string result;
    if (auto fault = Evaluate(w.list1, w.rnd, result)) return fail(*fault);
    w.label1 = std::move(result);
}

}  // namespace

void Text1_Change(WindowModel& w, RowList* tokens) { RunCycle(w, Trigger::TextChanged, tokens); }

void Command1_Click(WindowModel& w, RowList* tokens) { RunCycle(w, Trigger::Calculate, tokens); }

void SetText1(WindowModel& w, std::u16string text)
{
    if (text == w.text1) return;
    w.text1 = std::move(text);
    Text1_Change(w);
}

void List3_Click(WindowModel& w, int row)
{
    if (row < 0 || row >= w.list3.Count()) return;
    w.list3Index = row;
    SetText2(w, w.list3.Read(row));
}

void SetText2(WindowModel& w, std::string text)
{
    if (text == w.text2) return;
    w.text2 = std::move(text);
    Text2_Change(w);
}

void Text2_Change(WindowModel& w)
{
    if (w.list3Index < 0 || w.list3Index >= w.list3.Count()) return;
    w.list3.Write(w.list3Index, w.text2);
}

}  // namespace quorvel
