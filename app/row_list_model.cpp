#include "row_list_model.h"

#include <algorithm>

namespace quorvel {

int RowListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

QVariant RowListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
    return QString::fromStdString(shown_[static_cast<size_t>(index.row())]);
}

void RowListModel::Show(const RowList& rows)
{
    const std::vector<std::string>& next = rows.Rows();
    if (next.size() != shown_.size()) {
        beginResetModel();
        shown_ = next;
        endResetModel();
        return;
    }
    size_t first = 0;
    while (first < next.size() && next[first] == shown_[first]) ++first;
    if (first == next.size()) return;
    size_t last = next.size() - 1;
    while (next[last] == shown_[last]) --last;
    std::copy(next.begin() + static_cast<std::ptrdiff_t>(first), next.begin() + static_cast<std::ptrdiff_t>(last + 1),
              shown_.begin() + static_cast<std::ptrdiff_t>(first));
    emit dataChanged(index(static_cast<int>(first)), index(static_cast<int>(last)), {Qt::DisplayRole});
}

}  // namespace quorvel
