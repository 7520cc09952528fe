#pragma once

#include "design_document.h"
#include "design_memory.h"
#include "number_text.h"

class QLineEdit;
class QWidget;

namespace sublumo {

class DriverListsPage;
class EnclosurePage;

// The one place where the window and a design document meet: the driver's fields, every input
// of the Enclosure page found by its object name through the design file's key table, and the
// design memory.
class DesignSession {
public:
    // `nameField`, when given, is the driver's name as the user typed it: a design file keeps it
    // so, blanks at the ends too, where the database would trim them.
    DesignSession(DriverListsPage& driver, EnclosurePage& page, NumberFormat format,
                  const QLineEdit* nameField = nullptr)
        : m_driver(driver), m_page(page), m_format(format), m_nameField(nameField) {}

    // The window's design; `withSlots` adds the stored designs of the memory.
    design_file::DesignDocument gather(bool withSlots = true) const;
    // Sets the fields as a user would, the box type first so that each recompute sees the
    // right box, then recomputes and redraws once more; `withSlots` also replaces the memory.
    void apply(const design_file::DesignDocument& document, bool withSlots = true);

private:
    std::string valueOf(const design_file::PageGroup& group, const design_file::PageKey& key) const;
    void setValue(const design_file::PageGroup& group, const design_file::PageKey& key,
                  const std::string& text);
    QWidget* groupWidget(std::string_view name) const;

    DriverListsPage& m_driver;
    EnclosurePage& m_page;
    NumberFormat m_format;
    const QLineEdit* m_nameField;
};

}  // namespace sublumo
