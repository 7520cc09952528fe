#pragma once

#include <QAbstractListModel>
#include <cstddef>
#include <functional>
#include <string_view>

namespace sublumo {

// A list view's rows read straight from a list kept elsewhere (the "All" list of 100 000
// records, the recent names, the memory banks): no copy, no item per row.
class TextListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using Count = std::function<std::size_t()>;
    using Text = std::function<std::string_view(std::size_t)>;

    TextListModel(Count count, Text text, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Changes the list behind, with the views told before and after.
    template <typename Change>
    void change(Change&& apply) {
        beginResetModel();
        apply();
        endResetModel();
    }
    void reload() {
        change([] {});
    }
    // One row's text changed; the selection stays.
    void rowChanged(int row) { emit dataChanged(index(row), index(row)); }
    QString textAt(int row) const;

private:
    Count m_count;
    Text m_text;
};

}  // namespace sublumo
