#include "recall.h"

#include <algorithm>

namespace quorvel {

Recall::Recall(QString historyFile) : history_(std::move(historyFile)) {}

void Recall::After(Moment moment, const std::u16string& text)
{
    recalled_ = 0;
    if (moment != Moment::Edited) history_.Add(text);
}

std::optional<std::u16string> Recall::Walk(int older, const std::u16string& current)
{
    const std::vector<std::u16string>& entries = history_.Entries();
    const int to = std::clamp(recalled_ + older, 0, static_cast<int>(entries.size()));
    if (to == recalled_) return std::nullopt;
    if (recalled_ == 0) draft_ = current;
    recalled_ = to;
    return to == 0 ? draft_ : entries[entries.size() - static_cast<size_t>(to)];
}

void Recall::Clear()
{
    history_.Clear();
    recalled_ = 0;
}

}  // namespace quorvel
