#pragma once
// A list view's rows: a copy of a RowList of the window model as last shown,
// so that only rows that really changed are announced to the view.
#include <string>
#include <vector>

#include <QAbstractListModel>
#include <QListView>

#include "row_list.h"

namespace quorvel {

class RowListModel final : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Takes over the rows: a new row count resets the view, otherwise the
    // span from the first to the last changed row is repainted.
    void Show(const RowList& rows);

    // A row of either list is said as the name with its value ("x 0").
    static void SayTogether(RowListModel& names, RowListModel& values);

private:
    const RowListModel* names_ = nullptr;
    const RowListModel* values_ = nullptr;
    std::vector<std::string> shown_;
};

// A list whose current row is heard when the list takes the focus, as in a
// GTK list. Qt announces the row it makes current before the list itself,
// so the list's own announcement would be the last word a reader hears.
class RowListView final : public QListView {
    Q_OBJECT
public:
    using QListView::QListView;

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    Q_INVOKABLE void SayCurrentRow();
};

}  // namespace quorvel
