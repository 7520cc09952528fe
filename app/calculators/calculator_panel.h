#pragma once

#include <QHash>
#include <QWidget>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "calculator_text.h"
#include "driver_parameters.h"
#include "driver_solver.h"
#include "number_text.h"

class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace sublumo {

class ClickableLabel;
class ParameterPanel;
struct ImpedanceMeasurement;
class PlatformServices;

// What every calculator reaches outside itself: the dialogs, the number format and the driver.
struct CalculatorContext {
    PlatformServices& platform;
    NumberFormat format;
    ParameterPanel& driver;
};

enum class FieldKind { Input, SignedInput, Output };

// One caption / field / unit row of a calculator frame.
struct FormRow {
    const char* objectName;
    const char* caption;
    const char* unit;
    const char* hint;
    const char* defaultText;  // a "." in it is written with the user's separator
    FieldKind kind = FieldKind::Input;
    std::optional<Param> copyFrom = {};  // a click on the caption copies this driver field
};

// Enter in `from` moves to `to`, or to `fallback` when `to` cannot take the focus.
struct EnterStep {
    const char* from;
    const char* to;
    const char* fallback = nullptr;
};

// A built row, for the special controls a panel puts beside it.
struct FormRowWidgets {
    ClickableLabel* caption = nullptr;
    QLineEdit* field = nullptr;
    ClickableLabel* unit = nullptr;
    QHBoxLayout* fieldBox = nullptr;  // the field and what follows it in its column
    QHBoxLayout* unitBox = nullptr;   // the unit and the labels after it
};

// The base of every calculator: frames built from row tables, inputs that recompute on every
// change, and the small writers a recompute() uses to put the pure function's answer back.
class CalculatorPanel : public QWidget {
    Q_OBJECT
public:
    CalculatorPanel(const CalculatorContext& context, const QString& objectName,
                    QWidget* parent = nullptr);

    // Reads the inputs, calls the tools library and writes texts, states and selections back.
    virtual void recompute() = 0;
    // The menu item showing this panel was chosen; `compute` runs it and the panels inside it.
    virtual void selected(bool compute);
    // The solver decided which driver-dependent inputs may be used.
    virtual void driverSolved(const ActionAvailability&) {}

    QLineEdit* field(const QString& objectName) const;
    // Runs recompute() once: the panel's own writes do not start it again.
    void compute();

protected:
    QGroupBox* addFrame(const QString& caption, const QString& objectName);
    void addRows(QGroupBox* frame, std::span<const FormRow> rows);
    QGridLayout* grid(QGroupBox* frame) const;
    // A caption and field put into another row's box (no unit of its own).
    const FormRowWidgets& addInline(QHBoxLayout* box, const FormRow& row);
    const FormRowWidgets& row(const QString& objectName) const;
    // A widget on a line of its own under the rows, across all columns.
    void addWide(QGroupBox* frame, QWidget* widget);
    QPlainTextEdit* addTextBox(QGroupBox* frame, const QString& objectName,
                               const QString& accessibleName, int lines);
    QLabel* addLine(QGroupBox* frame, const QString& objectName, const QString& description);
    QPushButton* makeButton(const QString& text, const QString& objectName,
                            const QString& description);
    // A label that acts when clicked, and on Space or Enter when it has the keyboard focus.
    void makeSwitch(ClickableLabel* label, const QString& description,
                    std::function<void()> action);
    ClickableLabel* makeLabel(const QString& text, const QString& objectName,
                              const QString& description);
    // A link-styled switch on a line of its own: it shows another calculator in this place.
    void addLink(QGroupBox* frame, const QString& text, const QString& objectName,
                 const QString& description, std::function<void()> action);
    void setEnterCycle(std::span<const EnterStep> steps);
    // A button that reads and fits an impedance file off the GUI thread, and under it a line
    // saying what is being fitted or why a fit was refused; `done` gets each fit. The line is
    // the panel's to write afterwards.
    QLabel* addImpedanceOpener(QGroupBox* frame, const QString& text, const QString& objectName,
                               const QString& description,
                               std::function<void(const ImpedanceMeasurement&)> done);

    std::string in(const QString& objectName) const;
    void put(const QString& objectName, const tools::InputText& input);
    void showText(const QString& objectName, const std::string& text);
    static void showLines(QPlainTextEdit* box, const tools::TextLines& lines);
    static void showLabel(QLabel* label, const std::string& text);
    // A caption that changes with the mode, and its field's accessible name with it.
    void setCaption(const QString& objectName, const std::string& caption);
    void focusField(const QString& objectName);

    const CalculatorContext& context() const { return m_context; }
    NumberFormat format() const { return m_context.format; }
    const DriverParameters& driverValues() const;
    void transfer(const tools::DriverTransfer& transfer);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* makeField(const FormRow& row);

    CalculatorContext m_context;
    QHash<QString, FormRowWidgets> m_rows;
    QHash<QObject*, std::function<void()>> m_switches;
    bool m_computing = false;
};

// A text of the pure libraries (UTF-8) for a widget.
QString fromStd(const std::string& text);

}  // namespace sublumo
