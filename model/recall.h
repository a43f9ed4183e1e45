#pragma once
// What the expression box remembers: which expressions go into the history,
// and the walk through it with Up and Down, newest first, as a shell's.
#include <optional>
#include <string>
#include <vector>

#include "history.h"

namespace quorvel {

// What happened to the expression in the box.
enum class Moment {
    Edited,      // typed, pasted or dropped into the box
    Calculated,  // 计算, or Return
    Loaded,
    Saved,
    Copied,  // the result, with Ctrl+C
    Closed,  // the window
};

class Recall {
public:
    // An empty name keeps the history in memory only.
    explicit Recall(QString historyFile = {});

    // Every moment but an edit keeps text in the history, and every one ends
    // the walk: the next Up starts again from the newest entry.
    void After(Moment moment, const std::u16string& text);

    // Up (older = 1) or Down (-1) while the box holds current: the text the
    // box is to show, nothing at either end. Down past the newest entry
    // brings back what the box held when the walk began.
    std::optional<std::u16string> Walk(int older, const std::u16string& current);

    // Newest last.
    const std::vector<std::u16string>& Entries() { return history_.Entries(); }

    // Empties the history and its file.
    void Clear();

private:
    History history_;
    int recalled_ = 0;      // how far back the walk has gone; 0: not walking
    std::u16string draft_;  // what the box held when the walk began
};

}  // namespace quorvel
