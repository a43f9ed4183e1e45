#include "row_list_model.h"

#include <algorithm>

#include <QAccessible>

namespace quorvel {

int RowListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

QVariant RowListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const auto row = static_cast<size_t>(index.row());
    if (role == Qt::AccessibleTextRole && names_ && row < names_->shown_.size() && row < values_->shown_.size())
        return QString::fromStdString(names_->shown_[row] + ' ' + values_->shown_[row]);
    if (role != Qt::DisplayRole) return {};
    return QString::fromStdString(shown_[row]);
}

void RowListModel::SayTogether(RowListModel& names, RowListModel& values)
{
    names.names_ = values.names_ = &names;
    names.values_ = values.values_ = &values;
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

void RowListView::focusInEvent(QFocusEvent* event)
{
    QListView::focusInEvent(event);  // a key's focus makes the first row current
    // Queued, so that it follows the list's own focus event.
    if (QAccessible::isActive()) QMetaObject::invokeMethod(this, "SayCurrentRow", Qt::QueuedConnection);
}

void RowListView::SayCurrentRow()
{
    const QModelIndex current = currentIndex();
    if (!hasFocus() || !current.isValid()) return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(current.row());  // no row is hidden
    QAccessible::updateAccessibility(&focus);
}

}  // namespace quorvel
