#pragma once

#include <QGroupBox>
#include <string_view>
#include <vector>

class QListWidget;

namespace sublumo {

// A pop-up list of choices over the charts (alignments, end corrections, fill amounts): a
// click or Enter on an enabled item chooses it, Escape hides the list. A disabled item does
// nothing, however it is reached.
class OptionList : public QGroupBox {
    Q_OBJECT
public:
    OptionList(const QString& objectName, const QString& title,
               const std::vector<std::string_view>& items, QWidget* parent);

    QListWidget* list() const { return m_list; }
    int count() const;
    void setItemEnabled(int row, bool enabled);
    bool itemEnabled(int row) const;
    void setCurrentRow(int row);
    int currentRow() const;
    // Emits chosen(row) when that item is enabled.
    void choose(int row);
    // Shows the list and gives it the focus.
    void popUp();

signals:
    void chosen(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListWidget* m_list = nullptr;
};

// The page's lists, at most one of them shown at a time.
class OptionLists {
public:
    void add(OptionList* list) { m_lists.push_back(list); }
    // Shows `list` alone, or hides it when it is already shown.
    void toggle(OptionList* list);
    void hideAll();

private:
    std::vector<OptionList*> m_lists;
};

}  // namespace sublumo
