#include "evaluator.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "arithmetic.h"
#include "number_text.h"
#include "token_class.h"

// The reduction works on the rows of the token list, but instead of moving
// the rest of the list at every reduction and restarting every scan, it
// rebuilds the list left to right: a stack finds each group's "(", and each
// operator pass compacts its rows in one sweep. Where the row-by-row copying
// leaves rows behind (copies past a group's end, empty rows appended past a
// shortened list), the layout is tracked in closed form, so that a stop at a
// zero divisor or a fault shows exactly the rows of that moment. Rows are
// small cells that point at the original token or hold a computed value;
// their texts are only made when the list is written back.

namespace quorvel {

namespace {

constexpr char kPasses[] = {'/', '^', '*', '\\', '+', '-'};

unsigned OpBit(char op)
{
    switch (op) {
    case '/': return 1u << 0;
    case '^': return 1u << 1;
    case '*': return 1u << 2;
    case '\\': return 1u << 3;
    case '+': return 1u << 4;
    case '-': return 1u << 5;
    default: return 0;
    }
}

enum class Kind : std::uint8_t { Token, Computed, Single, Empty };

struct Cell {
    double value = 0;       // Token: its number once read; Computed, Single: as computed
    std::int32_t token = -1;  // Token: its row in the original list
    Kind kind = Kind::Empty;
    char op = 0;            // the operator this row is an occurrence of, or 0
    bool known = false;     // value already is what reading the row's text gives
};

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

// A pass that compacted k times leaves k copies of the two rows that ended
// its region when it started, just past the shortened region.
struct Run {
    Cell op, operand;
    int count;
};

// The rows a set of passes works on: a group's rows between its
// parentheses, or the whole list from row 1 on.
struct Region {
    std::vector<Cell> rows;   // up to the current end of the region
    std::vector<Run> stale;   // left behind past the end, oldest pass first
    Cell before, after;       // the rows just before and just after the region
    int* physical = nullptr;  // top level: rows the list really holds
    int lo = 1;               // row number of rows[0]
    unsigned ops = 0;         // the operators that occur in rows; passes only remove them

    void NoteOperators()
    {
        ops = 0;
        for (const Cell& c : rows) ops |= OpBit(c.op);
    }

    // The live rows, then the stale runs, newest first.
    void AppendTo(std::vector<Cell>& out) const
    {
        out.insert(out.end(), rows.begin(), rows.end());
        for (auto it = stale.rbegin(); it != stale.rend(); ++it) {
            for (int k = 0; k < it->count; ++k) {
                out.push_back(it->op);
                out.push_back(it->operand);
            }
        }
    }
    const Cell& Beyond() const { return stale.empty() ? after : stale.back().op; }
};

enum class Stop { None, DivisorZero, Fault };

struct Scratch {
    std::vector<Cell> out;
    std::vector<size_t> openings;
    Region group, top;
};

struct Reducer {
    const std::vector<std::string>& tokens;  // the list as tokenized, untouched until the end
    Rnd& rnd;
    std::optional<Fault> fault;

    std::string Text(const Cell& c) const
    {
        switch (c.kind) {
        case Kind::Token: return tokens[static_cast<size_t>(c.token)];
        case Kind::Computed: return NumberToText(c.value);
        case Kind::Single: return SingleToText(static_cast<float>(c.value));
        case Kind::Empty: break;
        }
        return {};
    }

    std::vector<std::string> Texts(const std::vector<Cell>& cells) const
    {
        std::vector<std::string> out;
        out.reserve(cells.size());
        for (const Cell& c : cells) out.push_back(Text(c));
        return out;
    }

    // The number that reading the row's text gives.
    Stop Read(Cell& c, double& v)
    {
        if (c.known) {
            v = c.value;
            return Stop::None;
        }
        return ReadText(c, v);
    }

    Stop ReadText(Cell& c, double& v)
    {
        const std::optional<double> n =
            c.kind == Kind::Token ? TextToNumber(tokens[static_cast<size_t>(c.token)]) : TextToNumber(Text(c));
        if (!n) {
            fault = Fault{FaultKind::OperandNotNumber, Text(c)};
            return Stop::Fault;
        }
        v = *n;
        if (c.kind != Kind::Single) {  // a single keeps its own value for its text
            c.value = v;  // a 15-digit value prints as the same text again
            c.known = true;
        }
        return Stop::None;
    }

    // One pass for op over the region. x receives every value computed. On a
    // stop the region holds the rows as they stood at the failing reduction.
    Stop Pass(Region& r, char op, double& x)
    {
        if (!(r.ops & OpBit(op))) return Stop::None;
        std::vector<Cell>& in = r.rows;
        const size_t n = in.size();
        size_t p = 0;
        while (p < n && in[p].op != op) ++p;
        if (p == n) return Stop::None;

        const Run frozen{n >= 2 ? in[n - 2] : Cell{}, in[n - 1], 0};
        const int end = r.lo + static_cast<int>(n) - 1;
        size_t w = p;  // in[0..w) is the pass's output so far, built in place
        int compactions = 0;

        auto stop = [&](Stop why) {
            in.erase(in.begin() + static_cast<long>(w), in.begin() + static_cast<long>(p));
            if (compactions > 0) r.stale.push_back({frozen.op, frozen.operand, compactions});
            return why;
        };

        while (p < n) {
            if (in[p].op != op) {
                in[w++] = in[p++];
                continue;
            }
            // A checked list has an operand on either side of every operator.
            if (w == 0 || p + 1 == n) {
                fault = Fault{FaultKind::OperandNotNumber, Text(w == 0 ? r.before : r.Beyond())};
                return stop(Stop::Fault);
            }
            double a = 0, b = 0;
            if (Read(in[w - 1], a) != Stop::None || Read(in[p + 1], b) != Stop::None) return stop(Stop::Fault);
            if ((op == '/' || op == '\\') && b == 0) return stop(Stop::DivisorZero);
            if (!QuickCombine(op, a, b, x)) {
                Computed c = Combine(op, a, b);
                if (auto* f = std::get_if<Fault>(&c)) {
                    fault = *f;
                    return stop(Stop::Fault);
                }
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
            if (compactions++ == 0 && r.physical) *r.physical = std::max(*r.physical, end - 1);
            p += 2;
        }
        in.resize(w);
        if (compactions > 0) r.stale.push_back({frozen.op, frozen.operand, compactions});
        return Stop::None;
    }
};

}  // namespace

std::optional<Fault> Evaluate(RowList& tokenList, Rnd& rnd, std::string& result)
{
    std::vector<std::string>& rows = tokenList.MutableRows();
    const std::optional<double> count = TextToNumber(tokenList.Read(0));
    if (!count || std::nearbyint(*count) != static_cast<double>(tokenList.Count() - 1) ||
        tokenList.Count() - 1 > kMaxRows - 1) {
        return Fault{FaultKind::CountOutOfRange, tokenList.Read(0)};
    }
    const int n0 = tokenList.Count() - 1;

    Reducer reducer{rows, rnd, std::nullopt};
    // Working storage is kept from call to call (it holds nothing between
    // them), so that a long list does not fault its pages in again each time.
    thread_local Scratch scratch;
    std::vector<Cell>& out = scratch.out;  // rows 0.. of the list as rebuilt so far
    out.clear();
    out.reserve(rows.size());
    out.push_back(TokenCell(rows[0], 0));
    std::vector<size_t>& openings = scratch.openings;
    openings.clear();

    // Writes the rows as the list holds them when a reduction stops.
    auto finish = [&](Stop why, const std::vector<Cell>& literal) -> std::optional<Fault> {
        rows = reducer.Texts(literal);
        if (why == Stop::DivisorZero) {
            result = kDivisorZero;
            return std::nullopt;
        }
        return reducer.fault;
    };

    int topCount = -1;  // the working count N when the top level starts
    int physical = -1;  // rows the list holds then, when fewer than N + 1
    Region& region = scratch.group;  // one group at a time
    for (int idx = 1; idx <= n0; ++idx) {
        const std::string& token = rows[static_cast<size_t>(idx)];
        if (!IsClosing(token) || openings.empty()) {
            if (IsOpening(token)) openings.push_back(out.size());
            out.push_back(TokenCell(token, idx));
            continue;
        }
        const size_t s = openings.back();
        openings.pop_back();
        region.stale.clear();
        region.lo = static_cast<int>(s) + 1;
        region.before = out[s];
        region.after = TokenCell(token, idx);
        region.rows.assign(out.begin() + static_cast<long>(s) + 1, out.end());
        region.NoteOperators();
        out.resize(s + 1);
        const int closingRow = static_cast<int>(s + 1 + region.rows.size());
        const int workingCount = closingRow + (n0 - idx);

        auto stopInGroup = [&](Stop why) {
            std::vector<Cell> literal = out;
            region.AppendTo(literal);
            literal.push_back(region.after);
            for (int k = idx + 1; k <= n0; ++k) literal.push_back(TokenCell(rows[static_cast<size_t>(k)], k));
            return finish(why, literal);
        };

        // Only a token can be a function name; row 0, a count, never is.
        const Function f = s >= 1 && out[s - 1].kind == Kind::Token
                               ? FunctionNamed(rows[static_cast<size_t>(out[s - 1].token)])
                               : Function::None;
        double x = 0;
        if (region.rows.empty()) {
            Cell closing = region.after;
            if (reducer.Read(closing, x) != Stop::None) return stopInGroup(Stop::Fault);
        } else if (reducer.Read(region.rows[0], x) != Stop::None) {
            return stopInGroup(Stop::Fault);
        }
        // Inside a group the working count does not change; it is at least 3.
        // A group of one row holds no operator.
        for (char op : kPasses) {
            if (workingCount <= 2 || region.rows.size() == 1) continue;
            if (Stop st = reducer.Pass(region, op, x); st != Stop::None) return stopInGroup(st);
        }
        Computed value = Apply(f, x, rnd);
        if (auto* fault = std::get_if<Fault>(&value)) {
            reducer.fault = *fault;
            return stopInGroup(Stop::Fault);
        }
        const double v = std::get<double>(value);
        // The value replaces the "(", or the function name in front of it.
        if (f != Function::None) out.pop_back();
        out.back() = IsSingle(f) ? SingleCell(static_cast<float>(v)) : ComputedCell(v);
        if (idx == n0) {
            // The group's ")" was the last row: the rows after the group are
            // gone, but the working count still counts them.
            topCount = closingRow;
            physical = static_cast<int>(out.size());
        }
    }

    Region& top = scratch.top;
    top.stale.clear();
    top.lo = 1;
    top.before = out[0];
    top.rows.assign(out.begin() + 1, out.end());
    if (topCount < 0) {
        topCount = static_cast<int>(top.rows.size());
        physical = topCount + 1;
    } else {
        top.rows.resize(static_cast<size_t>(topCount));  // rows past the end read empty
    }
    top.physical = &physical;
    top.NoteOperators();

    auto stopAtTop = [&](Stop why) {
        std::vector<Cell> literal{out[0]};
        top.AppendTo(literal);
        literal.resize(static_cast<size_t>(physical));
        return finish(why, literal);
    };

    // At the top level the working count is the number of rows still in
    // play, and falls by 2 with every compaction.
    double x = 0;
    for (char op : kPasses) {
        if (top.rows.size() <= 2) continue;
        if (Stop st = reducer.Pass(top, op, x); st != Stop::None) return stopAtTop(st);
    }
    Cell first = top.rows.empty() ? Cell{} : top.rows[0];
    if (reducer.Read(first, x) != Stop::None) return stopAtTop(Stop::Fault);
    result = NumberToText(x);
    rows.resize(2);
    rows[1] = result;
    return std::nullopt;
}

}  // namespace quorvel
