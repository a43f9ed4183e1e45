#include "row_list.h"

#include <stdexcept>

namespace quorvel {

namespace {
const std::string kEmpty;
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
