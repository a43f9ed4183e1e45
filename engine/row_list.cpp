#include "row_list.h"

#include <stdexcept>

namespace quorvel {

namespace {
const std::string kEmpty;
}

RowList::RowList(std::initializer_list<std::string_view> rows)
{
    rows_.reserve(rows.size());
    for (std::string_view r : rows) rows_.emplace_back(r);
}

const std::string& RowList::Empty() { return kEmpty; }

void RowList::WriteAtEnd(int i, std::string text)
{
    if (i != Count()) throw std::out_of_range("RowList::Write past the end");
    rows_.push_back(std::move(text));
}

void RowList::Remove(int i)
{
    if (i < 0 || i >= Count()) throw std::out_of_range("RowList::Remove past the end");
    rows_.erase(rows_.begin() + i);
}

}  // namespace quorvel
