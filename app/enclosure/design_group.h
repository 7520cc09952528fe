#pragma once

#include <QGroupBox>
#include <map>
#include <span>
#include <string>

#include "number_text.h"

class QGridLayout;
class QLabel;
class QLineEdit;

namespace sublumo {

class ClickableLabel;
class PlatformServices;

// What a row's field is: a decimal input, an output the design writes, a count 1..9 or a fill
// percentage 0..100.
enum class DesignFieldKind { Decimal, Output, Count, Fill };

// One row of a group: caption, field and unit, built from a table.
struct DesignFieldRow {
    const char* name;  // the field's object name; the caption and unit add "Caption", "Unit"
    const char* caption;
    const char* unit;
    const char* hint;
    const char* start;  // the text at start, written with "." for the locale's separator
    DesignFieldKind kind;
};

// Where Enter in `from` sends the focus; `alternative` when `to` cannot take it.
struct EnterLink {
    const char* from;
    const char* to;
    const char* alternative = nullptr;
};

// The pattern every group of the Enclosure page shares: rows of caption, field and unit built
// from a table with their accessible texts, Enter cycles given as data, and one signal for
// any change of an input's text.
class DesignGroup : public QGroupBox {
    Q_OBJECT
public:
    DesignGroup(const QString& objectName, const QString& title, PlatformServices& platform,
                NumberFormat format, QWidget* parent);

    QLineEdit* field(const char* name) const;
    ClickableLabel* caption(const char* name) const;
    QLabel* unit(const char* name) const;
    std::string text(const char* name) const;
    // Writes only a changed text, so the cursor of an unchanged field stays where it was.
    void setText(const char* name, const std::string& text);
    void setText(const char* name, const std::optional<std::string>& text);

signals:
    void edited();

protected:
    // Appends the rows to the grid, starting at `firstRow` when given.
    void addRows(std::span<const DesignFieldRow> rows, int firstRow = -1);
    void linkEnter(std::span<const EnterLink> links);
    // The hint of a volume field tells the volume in cubic feet while the mouse is over it.
    void showCubicFeetHint(const char* name);
    // A caption that acts when clicked, also from the keyboard: Tab to it, Space or Enter.
    ClickableLabel* makeClickable(const QString& text, const QString& objectName,
                                  const QString& hint);
    QGridLayout* grid() const { return m_grid; }
    PlatformServices& platform() const { return m_platform; }
    NumberFormat format() const { return m_format; }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* makeField(const DesignFieldRow& row);

    PlatformServices& m_platform;
    NumberFormat m_format;
    QGridLayout* m_grid = nullptr;
    std::map<std::string, QLineEdit*> m_fields;
    std::map<std::string, ClickableLabel*> m_captions;
    std::map<std::string, QLabel*> m_units;
    std::map<QObject*, std::string> m_volumeFields;
};

}  // namespace sublumo
