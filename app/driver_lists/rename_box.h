#pragma once

#include <QGroupBox>

class QLineEdit;
class QPushButton;

namespace sublumo {

// " Rename the selected record ": the new name and the button "Rename", enabled while the
// name is not empty and differs from the selected entry (letter case counts).
class RenameBox : public QGroupBox {
    Q_OBJECT
public:
    explicit RenameBox(QWidget* parent = nullptr);

    QString newName() const;
    // The selected entry of "All": the field takes it and "Rename" is judged against it.
    void setSelectedName(const QString& name);
    void disableRename();
    void focusField();

signals:
    void renameRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void judge();

    QString m_selected;
    QLineEdit* m_field = nullptr;
    QPushButton* m_button = nullptr;
};

}  // namespace sublumo
