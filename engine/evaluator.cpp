#include "evaluator.h"

#include <bit>
#include <cassert>
#include <cstdint>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

#include "functions.h"
#include "number_text.h"
#include "passes.h"
#include "token_class.h"

// The reduction works on the rows of the token list, but instead of moving
// the rest of the list at every reduction and restarting every scan, it
// rebuilds the list left to right: a stack finds each group's "(", and each
// operator pass compacts its rows in one sweep. Where the row-by-row copying
// leaves rows behind (copies past a region's end, empty rows appended past a
// shortened list), LeftBehind keeps them in closed form, so that a stop at a
// zero divisor or a fault shows exactly the rows of that moment (Stopped).
// Rows are cells (cells.h) that point at the original token or hold a
// computed value; their texts are only made when the list is written back.
//
// Where each row is, for the list "9 2 * 3 \ ( 1 - 1 )" (_ is an empty row):
//   Run    Rows 0 to 5 go to out = [9 2 * 3 \ (]; the "(" is remembered in
//          openings. At the ")" in row 9 ReduceGroup moves the group's rows
//          to group.rows = [1 - 1], with group.before = "(", group.after = ")".
//   group  Pass "-": 1 - 1 = 0 uses the group's last row, so no gap is
//          closed and the operator and old operand stay: group.rows =
//          [0 - 1]. The value replaces the "(": out = [9 2 * 3 \ 0]. That
//          ")" was the last row, so the list now holds 6 rows while the top
//          level still works on 9 (topRows_).
//   top    ReduceTop: top.rows = [2 * 3 \ 0 _ _ _ _]; nothing left behind,
//          6 rows. Pass "*": 2 * 3 = 6 closes a gap: top.rows = [6 \ 0 _ _
//          _ _], left behind: one copy of [_ _], and the copying has grown
//          the list to 8 rows. Pass "\": 6 \ 0 stops at the zero divisor.
//   stop   AtTop: out[0], top.rows and what is left behind, cut to 8 rows:
//          WriteBack leaves "9 6 \ 0 _ _ _ _", and the evaluation is
//          DivisorZero.

namespace quorvel {

using cells::Cell;
using cells::Region;

namespace {

// Why a reduction ended without a value.
using Stop = std::variant<DivisorZero, Fault>;

// What a step of the reduction gives: a value, or what stops it. It holds
// no text, so that the steps make no string and keep none on the stack for
// the hardened build to guard; the stop and its text are made only at a
// stop (Why).
struct Step {
    enum class Kind : std::uint8_t { Value, NotANumber, DivisorZero, Fault };
    Kind kind = Kind::Value;
    FaultKind fault = FaultKind::None;  // Fault: the arithmetic's fault
    double value = 0;                   // Value
    Cell operand;                       // NotANumber: the row that is not a number

    static Step Of(double x) { return {Kind::Value, FaultKind::None, x, {}}; }
    static Step NotNumber(const Cell& c) { return {Kind::NotANumber, FaultKind::None, 0, c}; }
    static Step ZeroDivisor() { return {Kind::DivisorZero, FaultKind::None, 0, {}}; }
    static Step Failed(FaultKind fault) { return {Kind::Fault, fault, 0, {}}; }
    bool Stops() const { return kind != Kind::Value; }
};

// The list as a row-by-row reduction leaves it at a stop, and why it stopped.
struct Stopped {
    Stop why;
    std::vector<Cell> rows;  // rows 0.. of the list
};

// One evaluation of a token list whose count has been checked.
class Reduction {
public:
    Reduction(const std::vector<std::string>& tokens, Rnd& rnd, EvaluatorRows& kept)
        : tokens_(tokens), rnd_(rnd), kept_(kept)
    {
    }

    // Every group, innermost and leftmost first, then the top level: the
    // value of the whole, or where it stopped.
    std::variant<double, Stopped> Run();

    // Writes the rows of a stop into the list the tokens came from.
    Evaluation WriteBack(const Stopped& stopped, RowList& tokenList) const;

private:
    Step ReduceGroup(int closing);
    Step ReduceTop();
    Step Pass(Region& r, const Operator& op, double x) const;
    Step Combine(Region& r, size_t w, size_t p, const Operator& op) const;
    Stopped InGroup(const Step& why, int closing) const;
    Stopped AtTop(const Step& why) const;
    Stop Why(const Step& step) const;

    // The number that reading the row's text gives; false when the text is
    // not a number. The value comes back through v rather than as an
    // optional, which the passes' loop would keep on the stack.
    bool Read(Cell& c, double& v) const
    {
        if (c.known) {
            v = c.value;
            return true;
        }
        return ReadText(c, v);
    }
    bool ReadText(Cell& c, double& v) const;
    std::string Text(const Cell& c) const;

    const std::vector<std::string>& tokens_;  // the list as tokenized; only written back at a stop
    Rnd& rnd_;
    EvaluatorRows& kept_;
    int topRows_ = -1;  // the rows the top level works on, when the last ")" ended the list
};

// Row 0 is a count the 16-bit list can address.
bool CountFits(const RowList& tokenList)
{
    const std::optional<double> count = TextToNumber(tokenList.Read(0));
    return count && std::nearbyint(*count) >= -32768 && std::nearbyint(*count) <= kMaxRows - 1;
}

}  // namespace

Evaluation Evaluate(RowList& tokenList, Rnd& rnd, EvaluatorRows& kept)
{
    if (!CountFits(tokenList)) return Fault{FaultKind::CountOutOfRange, tokenList.Read(0)};
    Reduction reduction(tokenList.Rows(), rnd, kept);
    const std::variant<double, Stopped> reduced = reduction.Run();
    if (const Stopped* stopped = std::get_if<Stopped>(&reduced)) return reduction.WriteBack(*stopped, tokenList);
    Result result{NumberToText(std::get<double>(reduced))};
    const std::string row0 = tokenList.Read(0);
    tokenList.Clear();
    tokenList.Append(row0);
    tokenList.Append(result.text);
    return result;
}

namespace {

// Forced inline, so that the scan, which makes one cell per row, makes no
// call per row.
[[gnu::always_inline]] inline Cell TokenCell(const std::string& text, int row)
{
    Cell c;
    c.kind = Cell::Kind::Token;
    c.token = row;
    if (text.size() == 1) {
        // One digit reads as itself; one operator character is an occurrence.
        if (IsDigitChar(static_cast<unsigned char>(text[0]))) {
            c.value = text[0] - '0';
            c.known = true;
        } else if (IsOperatorToken(text)) {
            c.op = text[0];
        }
    }
    return c;
}

// Forced inline, so that the cell's fields are stored one by one: a cell
// built on the stack and copied in overlapping moves stalls the next read
// of its row.
[[gnu::always_inline]] inline Cell ComputedCell(double x)
{
    Cell c;
    c.kind = Cell::Kind::Computed;
    c.value = x;
    c.known = IsSmallWhole(x);
    if (c.known) c.value = x + 0.0;  // the text of -0 is "0"
    return c;
}

Cell SingleCell(float x)
{
    Cell c;
    c.kind = Cell::Kind::Single;
    c.value = x;
    return c;
}

std::variant<double, Stopped> Reduction::Run()
{
    std::vector<Cell>& out = kept_.out;
    out.clear();
    out.reserve(tokens_.size());
    out.push_back(TokenCell(tokens_[0], 0));
    kept_.openings.clear();
    // A ")" that closes an open "(" ends the innermost group, which is
    // reduced at once.
    for (int row = 1; row < static_cast<int>(tokens_.size()); ++row) {
        const std::string& token = tokens_[static_cast<size_t>(row)];
        if (IsClosing(token) && !kept_.openings.empty()) {
            const Step group = ReduceGroup(row);
            if (group.Stops()) return InGroup(group, row);
            continue;
        }
        if (IsOpening(token)) kept_.openings.push_back(out.size());
        out.push_back(TokenCell(token, row));
    }
    const Step top = ReduceTop();
    if (top.Stops()) return AtTop(top);
    return top.value;
}

// Reduces the group that the ")" in row `closing` ends, and puts its value
// where its "(" stood, or the function name in front of it.
Step Reduction::ReduceGroup(int closing)
{
    std::vector<Cell>& out = kept_.out;
    Region& group = kept_.group;
    const size_t s = kept_.openings.back();
    kept_.openings.pop_back();
    const int first = static_cast<int>(s) + 1;
    const int closingRow = static_cast<int>(out.size());  // where the ")" stands now
    // Only the top level lengthens the list, so a group keeps no row count.
    group.Load(out, first, closingRow - first, TokenCell(tokens_[static_cast<size_t>(closing)], closing), 0);
    out.resize(s + 1);

    // An empty group reads its ")".
    Cell& firstCell = group.rows.empty() ? group.after : group.rows[0];
    double x = 0;
    if (!Read(firstCell, x)) return Step::NotNumber(firstCell);
    // Bit k of passes stands for kPassOrder[k], so lowest first is pass order.
    for (unsigned left = group.passes; left != 0; left &= left - 1) {
        const Step passed = Pass(group, kPassOrder[static_cast<size_t>(std::countr_zero(left))], x);
        if (passed.Stops()) return passed;
        x = passed.value;
    }

    // Only a token can be a function name; row 0, a count, never is.
    const Cell& before = out[s - 1];
    const Function* f =
        before.kind == Cell::Kind::Token ? FunctionNamed(tokens_[static_cast<size_t>(before.token)]) : nullptr;
    const Computed value = Apply(f, x, rnd_);
    if (value.fault != FaultKind::None) return Step::Failed(value.fault);
    const double v = value.value;
    if (f) out.pop_back();
    out.back() = f && f->single ? SingleCell(static_cast<float>(v)) : ComputedCell(v);
    // A ")" in the last row removes the rows after the group, but the top
    // level still works on them.
    if (closing == static_cast<int>(tokens_.size()) - 1) topRows_ = closingRow;
    return Step::Of(v);
}

// Reduces the rows from row 1 on, once no group is left. Here the working
// count is the number of rows still in play, and falls by 2 with every
// closed gap.
Step Reduction::ReduceTop()
{
    const std::vector<Cell>& out = kept_.out;
    Region& top = kept_.top;
    const int listRows = static_cast<int>(out.size());
    top.Load(out, 1, topRows_ >= 0 ? topRows_ : listRows - 1, Cell{}, listRows);
    // The top level's value is read from its first row once the passes are done.
    for (unsigned left = top.passes; left != 0; left &= left - 1) {
        if (top.rows.size() <= 2) break;
        const Step passed = Pass(top, kPassOrder[static_cast<size_t>(std::countr_zero(left))], 0);
        if (passed.Stops()) return passed;
    }
    Cell first = top.rows.empty() ? Cell{} : top.rows[0];
    double x = 0;
    if (!Read(first, x)) return Step::NotNumber(first);
    return Step::Of(x);
}

// One left-to-right pass over the region for the operator op: the value of
// its last reduction (x when it makes none), or what stopped it. On a stop
// the region holds the rows as they stood at the failing reduction.
Step Reduction::Pass(Region& r, const Operator& op, double x) const
{
    std::vector<Cell>& in = r.rows;
    size_t p = 0;  // the next row to read
    while (p < in.size() && in[p].op != op.symbol) ++p;
    size_t w = p;  // in[0..w) is the pass's output so far, built in place
    while (p < in.size()) {
        if (in[p].op != op.symbol) {
            in[w++] = in[p++];
            continue;
        }
        const Step step = Combine(r, w, p, op);
        if (step.Stops()) {
            r.CloseGaps(w, p);
            return step;
        }
        x = step.value;
        in[w - 1] = ComputedCell(x);
        // A right operand that ends the region stays, with its operator;
        // any other reduction closes the gap behind it.
        if (p + 2 == in.size()) {
            in[w++] = in[p];
            in[w++] = in[p + 1];
        }
        p += 2;
    }
    r.CloseGaps(w, p);
    return Step::Of(x);
}

// The reduction of the operator in row p with the operands in rows w - 1
// (the pass's output) and p + 1.
Step Reduction::Combine(Region& r, size_t w, size_t p, const Operator& op) const
{
    std::vector<Cell>& in = r.rows;
    // A checked list has an operand on either side of every operator.
    if (w == 0) return Step::NotNumber(r.before);
    if (p + 1 == in.size()) return Step::NotNumber(r.Next());
    double a = 0, b = 0;
    if (!Read(in[w - 1], a)) return Step::NotNumber(in[w - 1]);
    if (!Read(in[p + 1], b)) return Step::NotNumber(in[p + 1]);
    if (op.divides && b == 0) return Step::ZeroDivisor();
    const Computed value = op.combine(a, b);
    if (value.fault != FaultKind::None) return Step::Failed(value.fault);
    return Step::Of(value.value);
}

// The stop that a step which stops makes, with its text.
Stop Reduction::Why(const Step& step) const
{
    switch (step.kind) {
    case Step::Kind::NotANumber: return Fault{FaultKind::OperandNotNumber, Text(step.operand)};
    case Step::Kind::DivisorZero: return DivisorZero{};
    case Step::Kind::Fault: return Fault{step.fault, {}};
    case Step::Kind::Value: break;
    }
    assert(false && "a value is no stop");
    return DivisorZero{};
}

// The list at a stop inside a group: the rows before the group, the
// group's, its ")" and the tokens after it.
Stopped Reduction::InGroup(const Step& why, int closing) const
{
    Stopped stopped{Why(why), kept_.out};
    kept_.group.AppendTo(stopped.rows);
    stopped.rows.push_back(kept_.group.after);
    for (int k = closing + 1; k < static_cast<int>(tokens_.size()); ++k)
        stopped.rows.push_back(TokenCell(tokens_[static_cast<size_t>(k)], k));
    return stopped;
}

// The list at a stop at the top level: row 0 and the top level's rows, as
// far as the list reaches.
Stopped Reduction::AtTop(const Step& why) const
{
    Stopped stopped{Why(why), {kept_.out[0]}};
    kept_.top.AppendTo(stopped.rows);
    stopped.rows.resize(static_cast<size_t>(kept_.top.leftBehind.ListRows()));
    return stopped;
}

// Rows only ever move up, so a row's token never lies before it and
// writing the rows in order reads every token before its row is
// overwritten; a token still in its own row needs no write.
Evaluation Reduction::WriteBack(const Stopped& stopped, RowList& tokenList) const
{
    const int count = static_cast<int>(stopped.rows.size());
    for (int i = 0; i < count; ++i) {
        const Cell& c = stopped.rows[static_cast<size_t>(i)];
        assert(c.kind != Cell::Kind::Token || c.token >= i);
        if (c.kind != Cell::Kind::Token || c.token != i) tokenList.Write(i, Text(c));
    }
    while (tokenList.Count() > count) tokenList.Remove(tokenList.Count() - 1);
    return std::visit([](const auto& why) -> Evaluation { return why; }, stopped.why);
}

bool Reduction::ReadText(Cell& c, double& v) const
{
    const std::optional<double> n =
        c.kind == Cell::Kind::Token ? TextToNumber(tokens_[static_cast<size_t>(c.token)]) : TextToNumber(Text(c));
    if (!n) return false;
    v = *n;
    if (c.kind != Cell::Kind::Single) {  // a single keeps its own value for its text
        c.value = v;  // a 15-digit value prints as the same text again
        c.known = true;
    }
    return true;
}

std::string Reduction::Text(const Cell& c) const
{
    switch (c.kind) {
    case Cell::Kind::Token: return tokens_[static_cast<size_t>(c.token)];
    case Cell::Kind::Computed: return NumberToText(c.value);
    case Cell::Kind::Single: return SingleToText(static_cast<float>(c.value));
    case Cell::Kind::Empty: break;
    }
    return {};
}

}  // namespace

}  // namespace quorvel
