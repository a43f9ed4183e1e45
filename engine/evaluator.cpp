#include "evaluator.h"

#include <cmath>
#include <utility>
#include <vector>

#include "arithmetic.h"
#include "number_text.h"
#include "token_class.h"

// The reduction works on the rows of the token list, but instead of moving
// the rest of the list at every reduction and restarting every scan, it
// rebuilds the list left to right: a stack finds each group's "(", and each
// operator pass compacts its rows in one sweep. Where the row-by-row copying
// leaves rows behind (the copies past a group's end, the empty rows appended
// past a shortened list), the layout is tracked in closed form, so that a
// stop at a zero divisor or a fault shows exactly the rows of that moment.

namespace quorvel {

namespace {

constexpr char kPasses[] = {'/', '^', '*', '\\', '+', '-'};

// One row, with its number once it has been read.
struct Cell {
    std::string text;
    double value = 0;
    bool known = false;
};

Cell CellOf(double x)
{
    Cell c{NumberToText(x)};
    // Whole values below 1e15 read back exactly; others go through the text.
    if (std::fabs(x) < 1e15 && x == std::trunc(x)) {
        c.value = x + 0.0;
        c.known = true;
    }
    return c;
}

// A pass that compacted k times leaves k copies of the two rows that ended
// its region when it started, just past the shortened region.
struct Run {
    std::string op, operand;
    int count;
};

// The rows a set of passes works on: a group's rows between its
// parentheses, or the whole list from row 1 on.
struct Region {
    std::vector<Cell> rows;   // up to the current end of the region
    std::vector<Run> stale;   // left behind past the end, oldest pass first
    std::string before;       // the row just before the region
    std::string after;        // the row just after the region and its stale rows
    int* physical = nullptr;  // top level: rows the list really holds
    int lo = 1;               // row number of rows[0]

    // Rows as the list holds them: the live rows, then the newest stale run.
    void AppendLiteral(std::vector<std::string>& out)
    {
        for (Cell& c : rows) out.push_back(std::move(c.text));
        for (auto it = stale.rbegin(); it != stale.rend(); ++it) {
            for (int k = 0; k < it->count; ++k) {
                out.push_back(it->op);
                out.push_back(it->operand);
            }
        }
    }
    const std::string& Beyond() const { return stale.empty() ? after : stale.back().op; }
};

enum class Stop { None, DivisorZero, Fault };

struct Reducer {
    Rnd& rnd;
    std::optional<Fault> fault;

    Stop Read(Cell& c, double& v)
    {
        if (!c.known) {
            const std::optional<double> n = TextToNumber(c.text);
            if (!n) {
                fault = Fault{FaultKind::OperandNotNumber, c.text};
                return Stop::Fault;
            }
            c.value = *n;
            c.known = true;
        }
        v = c.value;
        return Stop::None;
    }

    Stop ReadText(const std::string& text)
    {
        Cell c{text};
        double unused;
        return Read(c, unused);
    }

    // One pass for op over the region. x receives every value computed. On a
    // stop the region holds the rows as they stood at the failing reduction.
    Stop Pass(Region& r, char op, double& x)
    {
        std::vector<Cell>& in = r.rows;
        const size_t n = in.size();
        size_t p = 0;
        while (p < n && !IsOccurrence(in[p].text, op)) ++p;
        if (p == n) return Stop::None;

        const std::string lastOp = n >= 2 ? in[n - 2].text : std::string();
        const std::string lastOperand = in[n - 1].text;
        const int end = r.lo + static_cast<int>(n) - 1;
        std::vector<Cell> out;
        out.reserve(n);
        for (size_t k = 0; k < p; ++k) out.push_back(std::move(in[k]));
        int compactions = 0;

        auto stop = [&](Stop why) {
            for (size_t k = p; k < n; ++k) out.push_back(std::move(in[k]));
            in = std::move(out);
            if (compactions > 0) r.stale.push_back({lastOp, lastOperand, compactions});
            return why;
        };

        while (p < n) {
            if (!IsOccurrence(in[p].text, op)) {
                out.push_back(std::move(in[p++]));
                continue;
            }
            // A checked list has an operand on either side of every operator.
            if (out.empty() || p + 1 == n) {
                fault = Fault{FaultKind::OperandNotNumber, out.empty() ? r.before : r.Beyond()};
                return stop(Stop::Fault);
            }
            double a = 0, b = 0;
            if (Read(out.back(), a) != Stop::None || Read(in[p + 1], b) != Stop::None) return stop(Stop::Fault);
            if ((op == '/' || op == '\\') && b == 0) return stop(Stop::DivisorZero);
            Computed c = Combine(op, a, b);
            if (auto* f = std::get_if<Fault>(&c)) {
                fault = *f;
                return stop(Stop::Fault);
            }
            x = std::get<double>(c);
            out.back() = CellOf(x);
            if (p + 2 == n) {
                // The right operand ended the region: the pass ends and its
                // operator and operand stay inside the region.
                out.push_back(std::move(in[p]));
                out.push_back(std::move(in[p + 1]));
                p = n;
                break;
            }
            if (compactions++ == 0 && r.physical) *r.physical = std::max(*r.physical, end - 1);
            p += 2;
        }
        in = std::move(out);
        if (compactions > 0) r.stale.push_back({lastOp, lastOperand, compactions});
        return Stop::None;
    }

    // The six passes over a group; its working count N is at least 3 and
    // does not change while the group is reduced.
    Stop GroupPasses(Region& r, int workingCount, double& x)
    {
        for (char op : kPasses) {
            if (workingCount <= 2) continue;
            if (Stop s = Pass(r, op, x); s != Stop::None) return s;
        }
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

    Reducer reducer{rnd, std::nullopt};
    std::vector<Cell> out;  // rows 0.. of the list as rebuilt so far
    out.reserve(rows.size());
    out.push_back(Cell{rows[0]});
    std::vector<size_t> openings;

    // Rows 0.. as the list holds them when a reduction stops.
    auto finish = [&](Stop why, std::vector<std::string>&& literal) -> std::optional<Fault> {
        rows = std::move(literal);
        if (why == Stop::DivisorZero) {
            result = kDivisorZero;
            return std::nullopt;
        }
        return reducer.fault;
    };

    int topCount = -1;   // the working count N when the top level starts
    int physical = -1;   // rows the list holds then, when fewer than N + 1
    for (int idx = 1; idx <= n0; ++idx) {
        std::string& token = rows[static_cast<size_t>(idx)];
        if (!IsClosing(token) || openings.empty()) {
            if (IsOpening(token)) openings.push_back(out.size());
            out.push_back(Cell{std::move(token)});
            continue;
        }
        const size_t s = openings.back();
        openings.pop_back();
        Region region;
        region.lo = static_cast<int>(s) + 1;
        region.before = out[s].text;
        region.after = token;
        region.rows.assign(std::make_move_iterator(out.begin() + static_cast<long>(s) + 1),
                           std::make_move_iterator(out.end()));
        out.resize(s + 1);
        const int closingRow = static_cast<int>(s + 1 + region.rows.size());
        const int workingCount = closingRow + (n0 - idx);

        auto stopInGroup = [&](Stop why) {
            std::vector<std::string> literal;
            literal.reserve(static_cast<size_t>(workingCount) + 1);
            for (Cell& c : out) literal.push_back(std::move(c.text));
            region.AppendLiteral(literal);
            literal.push_back(std::move(token));
            for (int k = idx + 1; k <= n0; ++k) literal.push_back(std::move(rows[static_cast<size_t>(k)]));
            return finish(why, std::move(literal));
        };

        const Function f = s >= 1 ? FunctionNamed(out[s - 1].text) : Function::None;
        double x = 0;
        if (region.rows.empty()) {
            if (reducer.ReadText(token) != Stop::None) return stopInGroup(Stop::Fault);
        } else if (reducer.Read(region.rows[0], x) != Stop::None) {
            return stopInGroup(Stop::Fault);
        }
        if (Stop st = reducer.GroupPasses(region, workingCount, x); st != Stop::None) return stopInGroup(st);
        Computed value = Apply(f, x, rnd);
        if (auto* fault = std::get_if<Fault>(&value)) {
            reducer.fault = *fault;
            return stopInGroup(Stop::Fault);
        }
        const double v = std::get<double>(value);
        // The value replaces the "(", or the function name in front of it.
        if (f != Function::None) out.pop_back();
        out.back() = IsSingle(f) ? Cell{SingleToText(static_cast<float>(v))} : CellOf(v);
        if (idx == n0) {
            // The group's ")" was the last row: the rows after the group are
            // gone, but the working count still counts them.
            topCount = closingRow;
            physical = static_cast<int>(out.size());
        }
    }

    Region top;
    top.lo = 1;
    top.before = out[0].text;
    const std::string row0 = out[0].text;
    top.rows.assign(std::make_move_iterator(out.begin() + 1), std::make_move_iterator(out.end()));
    if (topCount < 0) {
        topCount = static_cast<int>(top.rows.size());
        physical = topCount + 1;
    } else {
        top.rows.resize(static_cast<size_t>(topCount));  // rows past the end read empty
    }
    top.physical = &physical;

    auto stopAtTop = [&](Stop why) {
        std::vector<std::string> literal;
        literal.reserve(static_cast<size_t>(topCount) + 1);
        literal.push_back(row0);
        top.AppendLiteral(literal);
        literal.resize(static_cast<size_t>(physical));
        return finish(why, std::move(literal));
    };

    // At the top level the working count is the number of rows still in play,
    // and falls by 2 with every compaction.
    double x = 0;
    for (char op : kPasses) {
        if (top.rows.size() <= 2) continue;
        if (Stop st = reducer.Pass(top, op, x); st != Stop::None) return stopAtTop(st);
    }
    if (top.rows.empty()) {
        if (reducer.ReadText(std::string()) != Stop::None) return stopAtTop(Stop::Fault);
    } else if (reducer.Read(top.rows[0], x) != Stop::None) {
        return stopAtTop(Stop::Fault);
    }
    result = NumberToText(x);
    rows.resize(2);
    rows[0] = row0;
    rows[1] = result;
    return std::nullopt;
}

}  // namespace quorvel
