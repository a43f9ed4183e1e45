#pragma once
// The rows the evaluator works in. A cell stands for one row of the token
// list: it points at the original token or holds a computed value, and its
// text is made only when the list is written back at a stop.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "passes.h"

namespace quorvel {

namespace cells {

struct Cell {
    enum class Kind : std::uint8_t { Token, Computed, Single, Empty };
    double value = 0;         // Token: its number once read; Computed, Single: as computed
    std::int32_t token = -1;  // Token: its row in the original list
    Kind kind = Kind::Empty;
    char op = 0;              // the operator this row is an occurrence of, or 0
    bool known = false;       // value already is what reading the row's text gives
};

// The rows the row-by-row copying leaves past the end of a region's live
// rows. Closing the gap behind a reduction copies the rest of the region
// two rows up and leaves its last two rows where they were; so a pass that
// closes k gaps leaves k copies of the two rows that ended the region when
// the pass began, in front of the copies earlier passes left. At the top
// level the copying also writes past the end of a list that is shorter than
// the region (after a group that ended the list), which lengthens it.
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
        listRows_ = std::max(listRows_, end - 1);  // the copying wrote rows up to end - 2
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
    unsigned passes = 0;     // bit k: the rows hold kPassOrder[k], so its pass has work; no pass adds one

    // Takes `count` rows of `list` from row `first` on (rows past its end
    // read empty), with nothing left behind yet in a list of listRows rows.
    void Load(const std::vector<Cell>& list, int first, int count, const Cell& next, int listRows)
    {
        lo = first;
        before = list[static_cast<size_t>(first) - 1];
        after = next;
        rows.assign(list.begin() + first, list.end());
        rows.resize(static_cast<size_t>(count));
        passes = 0;
        for (const Cell& c : rows) passes |= PassOf(c.op) < 0 ? 0u : 1u << PassOf(c.op);
        leftBehind.Reset(listRows);
    }

    // The row just past the live rows.
    const Cell& Next() const { return leftBehind.Next(after); }

    // Ends a pass that has written its output to rows[0..written) and read
    // the rows before `read`: the rows between are the gaps it closed, two
    // for each reduction. Its output never reached the last two rows, which
    // the copying leaves behind once for each gap.
    void CloseGaps(size_t written, size_t read)
    {
        const size_t n = rows.size();
        const int gaps = static_cast<int>(read - written) / 2;
        if (gaps > 0) leftBehind.AddPass(rows[n - 2], rows[n - 1], gaps, lo + static_cast<int>(n) - 1);
        rows.erase(rows.begin() + static_cast<long>(written), rows.begin() + static_cast<long>(read));
    }

    // The region's rows as the list holds them: the live rows, then the
    // rows left behind.
    void AppendTo(std::vector<Cell>& out) const
    {
        out.insert(out.end(), rows.begin(), rows.end());
        leftBehind.AppendTo(out);
    }
};

}  // namespace cells

// What the evaluator keeps from call to call, in the caller's Scratch.
struct EvaluatorRows {
    std::vector<cells::Cell> out;  // rows 0.. of the list as rebuilt so far
    std::vector<size_t> openings;  // where in out each open "(" stands
    cells::Region group;           // the group being reduced; one at a time
    cells::Region top;             // the whole list from row 1 on
};

}  // namespace quorvel
