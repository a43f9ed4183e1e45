#include "evaluator.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <utility>
#include <variant>
#include <vector>

#include "arithmetic.h"
#include "number_text.h"
#include "passes.h"
#include "token_class.h"

// The reduction works on the rows of the token list, but instead of moving
// the rest of the list at every reduction and restarting every scan, it
// rebuilds the list left to right: a stack finds each group's "(", and each
// operator pass compacts its rows in one sweep. Where the row-by-row copying
// leaves rows behind (copies past a region's end, empty rows appended past a
// shortened list), LeftBehind keeps them in closed form, so that a stop at a
// zero divisor or a fault shows exactly the rows of that moment. Rows are
// small cells that point at the original token or hold a computed value;
// their texts are only made when the list is written back. Every step that
// can stop returns a std::optional<Stop>.
//
// Where each row is, for the list "9 2 * 3 \ ( 1 - 1 )" (_ is an empty row):
//   scan   Rows 0 to 5 go to out = [9 2 * 3 \ (]; the "(" is remembered in
//          openings. At the ")" in row 9 the group's rows move to
//          group.rows = [1 - 1], with group.before = "(", group.after = ")".
//   group  Pass "-": 1 - 1 = 0 uses the group's last row, so no gap is
//          closed and the operator and old operand stay: group.rows =
//          [0 - 1]. The value replaces the "(": out = [9 2 * 3 \ 0]. That
//          ")" was the last row, so the list now holds 6 rows while the
//          working count stays 9.
//   top    top.rows = [2 * 3 \ 0 _ _ _ _]; top.leftBehind: nothing, 6 rows.
//          Pass "*": 2 * 3 = 6 closes a gap: top.rows = [6 \ 0 _ _ _ _],
//          top.leftBehind: one copy of [_ _], and the copying has grown the
//          list to 8 rows. Pass "\": 6 \ 0 stops at the zero divisor.
//   stop   out[0], top.rows and top.leftBehind, cut to 8 rows, are written
//          back: "9 6 \ 0 _ _ _ _", and the evaluation is DivisorZero.

namespace quorvel {

namespace {

// One bit per pass, so that a region knows which passes have work.
unsigned OpBit(char op)
{
    const int pass = PassOf(op);
    return pass < 0 ? 0u : 1u << pass;
}

// Why a reduction ended without a value.
using Stop = std::variant<DivisorZero, Fault>;

enum class Kind : std::uint8_t { Token, Computed, Single, Empty };

struct Cell {
    double value = 0;       // Token: its number once read; Computed, Single: as computed
    std::int32_t token = -1;  // Token: its row in the original list
    Kind kind = Kind::Empty;
    char op = 0;            // the operator this row is an occurrence of, or 0
    bool known = false;     // value already is what reading the row's text gives
};

// Forced inline: the scan makes one cell per row. long_sum at 32766
// characters, 0.62 ms a cycle with it, 0.66 ms without.
[[gnu::always_inline]] inline Cell TokenCell(const std::string& text, int row)
{
    Cell c;
    c.kind = Kind::Token;
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

// Forced inline, so that the cell's fields are stored one by one. Inlined
// late, the cell is built on the stack and copied with two overlapping
// 8-byte moves, and the next read of that row stalls on them: long_sum at
// 32766 characters, 0.62 ms a cycle with it, 1.01 ms without.
[[gnu::always_inline]] inline Cell ComputedCell(double x)
{
    Cell c;
    c.kind = Kind::Computed;
    c.value = x;
    // Whole values below 1e15 read back exactly from their text.
    c.known = std::fabs(x) < 1e15 && x == std::trunc(x);
    if (c.known) c.value = x + 0.0;  // the text of -0 is "0"
    return c;
}

Cell SingleCell(float x)
{
    Cell c;
    c.kind = Kind::Single;
    c.value = x;
    return c;
}

// The common reductions without the cost of a fault on the side; false
// leaves the reduction to Combine, which tells what went wrong.
inline bool QuickCombine(char op, double a, double b, double& x)
{
    switch (op) {
    case '+': x = a + b; break;
    case '-': x = a - b; break;
    case '*': x = a * b; break;
    case '/': x = a / b; break;
    default: return false;
    }
    return std::isfinite(x);
}

// The rows the row-by-row copying leaves past the end of a region's live
// rows. Closing the gap behind a reduction copies the rest of the region
// two rows up and leaves its last two rows where they were; so a pass that
// closes k gaps leaves k copies of the two rows that ended the region when
// the pass began, in front of the copies earlier passes left. The copying
// also writes past the end of a list that is shorter than the region (at
// the top level, after a group that ended the list), which lengthens it.
class LeftBehind {
public:
    // Nothing left behind yet, in a list of listRows rows.
    void Reset(int listRows)
    {
        copies_.clear();
        listRows_ = listRows;
    }

    // A pass closed `gaps` gaps in a region whose last row is row `end`;
    // `op` and `operand` ended the region when the pass began.
    void AddPass(const Cell& op, const Cell& operand, int gaps, int end)
    {
        if (gaps == 0) return;
        copies_.push_back({op, operand, gaps});
        // The copying wrote rows up to end - 2.
        listRows_ = std::max(listRows_, end - 1);
    }

    // The row just past the live rows; `after` is the row after the region.
    const Cell& Next(const Cell& after) const { return copies_.empty() ? after : copies_.back().op; }

    // The rows left behind, nearest the live rows first.
    void AppendTo(std::vector<Cell>& out) const
    {
        for (auto it = copies_.rbegin(); it != copies_.rend(); ++it) {
            for (int k = 0; k < it->count; ++k) {
                out.push_back(it->op);
                out.push_back(it->operand);
            }
        }
    }

    // The rows the whole list holds.
    int ListRows() const { return listRows_; }

private:
    struct Copies {
        Cell op, operand;
        int count;
    };
    std::vector<Copies> copies_;  // one entry per pass, oldest first
    int listRows_ = 0;
};

// The rows a set of passes works on: a group's rows between its
// parentheses, or the whole list from row 1 on.
struct Region {
    std::vector<Cell> rows;  // the live rows, up to the current end of the region
    LeftBehind leftBehind;   // what the copying left past that end
    Cell before, after;      // the rows just before and just after the region
    int lo = 1;              // row number of rows[0]
    unsigned ops = 0;        // the operators that occur in rows; passes only remove them

    void NoteOperators()
    {
        ops = 0;
        for (const Cell& c : rows) ops |= OpBit(c.op);
    }

    // The row just past the live rows.
    const Cell& Next() const { return leftBehind.Next(after); }

    // The region's rows as the list holds them: the live rows, then the
    // rows left behind.
    void AppendTo(std::vector<Cell>& out) const
    {
        out.insert(out.end(), rows.begin(), rows.end());
        leftBehind.AppendTo(out);
    }
};

class Reducer {
public:
    explicit Reducer(const std::vector<std::string>& tokens) : tokens_(tokens) {}

    std::string Text(const Cell& c) const
    {
        switch (c.kind) {
        case Kind::Token: return tokens_[static_cast<size_t>(c.token)];
        case Kind::Computed: return NumberToText(c.value);
        case Kind::Single: return SingleToText(static_cast<float>(c.value));
        case Kind::Empty: break;
        }
        return {};
    }

    // The number that reading the row's text gives; false when the text is
    // not a number. (Returned as an optional<double>, the value went through
    // the stack in the passes' inner loop.)
    bool Read(Cell& c, double& v) const
    {
        if (c.known) {
            v = c.value;
            return true;
        }
        return ReadText(c, v);
    }

    Stop NotANumber(const Cell& c) const { return Fault{FaultKind::OperandNotNumber, Text(c)}; }

    // One pass for op over the region. x receives every value computed. On a
    // stop the region holds the rows as they stood at the failing reduction.
    std::optional<Stop> Pass(Region& r, char op, double& x) const
    {
        if (!(r.ops & OpBit(op))) return std::nullopt;
        std::vector<Cell>& in = r.rows;
        const size_t n = in.size();
        size_t p = 0;
        while (p < n && in[p].op != op) ++p;
        if (p == n) return std::nullopt;

        // The rows every closed gap leaves behind; the pass never changes them.
        const Cell lastOp = n >= 2 ? in[n - 2] : Cell{};
        const Cell lastOperand = in[n - 1];
        const int end = r.lo + static_cast<int>(n) - 1;
        size_t w = p;  // in[0..w) is the pass's output so far, built in place
        int gaps = 0;

        // The rows from p on have not been copied yet: closing the gaps up to
        // them gives the rows of this moment.
        auto stop = [&](Stop why) -> std::optional<Stop> {
            in.erase(in.begin() + static_cast<long>(w), in.begin() + static_cast<long>(p));
            r.leftBehind.AddPass(lastOp, lastOperand, gaps, end);
            return why;
        };

        while (p < n) {
            if (in[p].op != op) {
                in[w++] = in[p++];
                continue;
            }
            // A checked list has an operand on either side of every operator.
            if (w == 0 || p + 1 == n) return stop(NotANumber(w == 0 ? r.before : r.Next()));
            double a = 0, b = 0;
            if (!Read(in[w - 1], a)) return stop(NotANumber(in[w - 1]));
            if (!Read(in[p + 1], b)) return stop(NotANumber(in[p + 1]));
            if ((op == '/' || op == '\\') && b == 0) return stop(DivisorZero{});
            if (!QuickCombine(op, a, b, x)) {
                const Computed c = Combine(op, a, b);
                if (const Fault* f = std::get_if<Fault>(&c)) return stop(*f);
                x = std::get<double>(c);
            }
            in[w - 1] = ComputedCell(x);
            if (p + 2 == n) {
                // The right operand ended the region: the pass ends and its
                // operator and operand stay inside the region.
                in[w++] = in[p];
                in[w++] = in[p + 1];
                p = n;
                break;
            }
            ++gaps;
            p += 2;
        }
        in.resize(w);
        r.leftBehind.AddPass(lastOp, lastOperand, gaps, end);
        return std::nullopt;
    }

private:
    bool ReadText(Cell& c, double& v) const
    {
        const std::optional<double> n =
            c.kind == Kind::Token ? TextToNumber(tokens_[static_cast<size_t>(c.token)]) : TextToNumber(Text(c));
        if (!n) return false;
        v = *n;
        if (c.kind != Kind::Single) {  // a single keeps its own value for its text
            c.value = v;  // a 15-digit value prints as the same text again
            c.known = true;
        }
        return true;
    }

    const std::vector<std::string>& tokens_;  // the list as tokenized; only written back at the end
};

}  // namespace

// The rows the evaluator works in, kept by the caller's Scratch.
struct Scratch::ForEvaluator {
    std::vector<Cell> out;         // rows 0.. of the list as rebuilt so far
    std::vector<size_t> openings;  // where in out each open "(" stands
    Region group;                  // the group being reduced; one at a time
    Region top;                    // the whole list from row 1 on
};

Scratch::ForEvaluator& Scratch::Evaluator()
{
    if (!evaluator_) evaluator_.reset(new ForEvaluator);
    return *evaluator_;
}

void Scratch::Free::operator()(ForEvaluator* p) const { delete p; }

Evaluation Evaluate(RowList& tokenList, Rnd& rnd, Scratch& scratch)
{
    const std::optional<double> count = TextToNumber(tokenList.Read(0));
    if (!count || std::nearbyint(*count) != static_cast<double>(tokenList.Count() - 1) ||
        tokenList.Count() - 1 > kMaxRows - 1) {
        return Fault{FaultKind::CountOutOfRange, tokenList.Read(0)};
    }
    const std::vector<std::string>& tokens = tokenList.Rows();
    const int n0 = tokenList.Count() - 1;
    const Reducer reducer(tokens);

    // Writes back the rows the list holds at a stop. Rows only ever move up,
    // so a row's token never lies before it and writing the rows in order
    // reads every token before its row is overwritten; a token still in its
    // own row needs no write.
    auto stopWith = [&](const Stop& why, const std::vector<Cell>& rows) -> Evaluation {
        const int count = static_cast<int>(rows.size());
        for (int i = 0; i < count; ++i) {
            const Cell& c = rows[static_cast<size_t>(i)];
            assert(c.kind != Kind::Token || c.token >= i);
            if (c.kind != Kind::Token || c.token != i) tokenList.Write(i, reducer.Text(c));
        }
        while (tokenList.Count() > count) tokenList.Remove(tokenList.Count() - 1);
        if (const Fault* fault = std::get_if<Fault>(&why)) return *fault;
        return DivisorZero{};
    };

    Scratch::ForEvaluator& kept = scratch.Evaluator();
    std::vector<Cell>& out = kept.out;
    out.clear();
    out.reserve(tokens.size());
    out.push_back(TokenCell(tokens[0], 0));
    std::vector<size_t>& openings = kept.openings;
    openings.clear();

    int topCount = -1;  // the working count N at the top level, if a group ended the list
    Region& group = kept.group;
    for (int idx = 1; idx <= n0; ++idx) {
        const std::string& token = tokens[static_cast<size_t>(idx)];
        if (!IsClosing(token) || openings.empty()) {
            if (IsOpening(token)) openings.push_back(out.size());
            out.push_back(TokenCell(token, idx));
            continue;
        }
        const size_t s = openings.back();
        openings.pop_back();
        group.lo = static_cast<int>(s) + 1;
        group.before = out[s];
        group.after = TokenCell(token, idx);
        group.rows.assign(out.begin() + static_cast<long>(s) + 1, out.end());
        group.NoteOperators();
        out.resize(s + 1);
        const int closingRow = static_cast<int>(s + 1 + group.rows.size());
        const int workingCount = closingRow + (n0 - idx);
        group.leftBehind.Reset(workingCount + 1);

        // The list at a stop: the rows before the group, the group's, its
        // ")" and the tokens after it.
        auto stopInGroup = [&](const Stop& why) {
            std::vector<Cell> rows = out;
            group.AppendTo(rows);
            rows.push_back(group.after);
            for (int k = idx + 1; k <= n0; ++k) rows.push_back(TokenCell(tokens[static_cast<size_t>(k)], k));
            return stopWith(why, rows);
        };

        // Only a token can be a function name; row 0, a count, never is.
        const Function f = s >= 1 && out[s - 1].kind == Kind::Token
                               ? FunctionNamed(tokens[static_cast<size_t>(out[s - 1].token)])
                               : Function::None;
        // An empty group reads its ")".
        Cell closing = group.after;
        Cell& first = group.rows.empty() ? closing : group.rows[0];
        double x = 0;
        if (!reducer.Read(first, x)) return stopInGroup(reducer.NotANumber(first));
        // Inside a group the working count does not change; it is at least 3.
        // A group of one row holds no operator.
        for (char op : kPassOrder) {
            if (workingCount <= 2 || group.rows.size() == 1) continue;
            if (std::optional<Stop> stop = reducer.Pass(group, op, x)) return stopInGroup(*stop);
        }
        const Computed value = Apply(f, x, rnd);
        if (const Fault* fault = std::get_if<Fault>(&value)) return stopInGroup(*fault);
        const double v = std::get<double>(value);
        // The value replaces the "(", or the function name in front of it.
        if (f != Function::None) out.pop_back();
        out.back() = IsSingle(f) ? SingleCell(static_cast<float>(v)) : ComputedCell(v);
        // A ")" in the last row removes the rows after the group, but the
        // working count still counts them.
        if (idx == n0) topCount = closingRow;
    }

    const int listRows = static_cast<int>(out.size());
    if (topCount < 0) topCount = listRows - 1;
    Region& top = kept.top;
    top.lo = 1;
    top.before = out[0];
    top.rows.assign(out.begin() + 1, out.end());
    top.rows.resize(static_cast<size_t>(topCount));  // rows past the end of the list read empty
    top.NoteOperators();
    top.leftBehind.Reset(listRows);

    // The list at a stop: row 0 and the top level's rows, as far as the list reaches.
    auto stopAtTop = [&](const Stop& why) {
        std::vector<Cell> rows{out[0]};
        top.AppendTo(rows);
        rows.resize(static_cast<size_t>(top.leftBehind.ListRows()));
        return stopWith(why, rows);
    };

    // At the top level the working count is the number of rows still in
    // play, and falls by 2 with every closed gap.
    double x = 0;
    for (char op : kPassOrder) {
        if (top.rows.size() <= 2) continue;
        if (std::optional<Stop> stop = reducer.Pass(top, op, x)) return stopAtTop(*stop);
    }
    Cell first = top.rows.empty() ? Cell{} : top.rows[0];
    if (!reducer.Read(first, x)) return stopAtTop(reducer.NotANumber(first));
    Result result{NumberToText(x)};
    const std::string row0 = tokenList.Read(0);
    tokenList.Clear();
    tokenList.Append(row0);
    tokenList.Append(result.text);
    return result;
}

}  // namespace quorvel
