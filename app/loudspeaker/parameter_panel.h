#pragma once

#include <QWidget>
#include <array>

#include "calculator_text.h"
#include "driver_parameters.h"
#include "driver_solver.h"
#include "number_text.h"

class QLineEdit;

namespace sublumo {

class ClickableLabel;
class DecimalField;
class PlatformServices;

// The four-column panel of the "Loudspeaker" page: the entered fields, the derived fields the
// solver writes, the name and URL fields and the switches beside them.
class ParameterPanel : public QWidget {
    Q_OBJECT
public:
    ParameterPanel(PlatformServices& platform, NumberFormat format, QWidget* parent = nullptr);

    const DriverParameters& parameters() const { return m_params; }
    const ActionAvailability& actions() const { return m_actions; }
    QString fieldText(Param field) const;
    QLineEdit* field(Param field) const { return m_fields[indexOf(field)]; }
    QLineEdit* nameField() const { return m_nameField; }
    QLineEdit* urlField() const { return m_urlField; }

    // Loading a record or a calculator's result: each change runs the solver.
    void setEnteredText(Param field, const QString& text);
    // A calculator's "OK": the entry mode, then each field write (each runs the solver), the
    // name suffix and the focus.
    void applyTransfer(const tools::DriverTransfer& transfer);
    void setDisplayToggles(DisplayToggles toggles);
    void setDriverListState(DriverListPage page, int selectedMemoryRow, const QString& rowText);

    void solve();
    void clearAll();
    void toggleDiaphragmMode();
    void toggleNameUrl();
    void searchOrOpenLink();

signals:
    void solved();             // after every pass, also an abandoned one
    void backgroundClicked();  // the panel or one of its labels was clicked
    void expandToggleRequested();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void buildFields();
    void buildHeader();
    QWidget* buildCaption(Param p);
    ClickableLabel* makeLabel(const QString& text, const QString& objectName,
                              const QString& tooltip);
    void connectEnterCycle();
    void applyDiaphragmMode();
    void applyToggleLabels();
    void applyNameUrlVisibility(bool urlShowing);
    void writeResult(const SolverResult& result);

    PlatformServices& m_platform;
    NumberFormat m_format;
    DriverParameters m_params;
    ActionAvailability m_actions;
    DriverListPage m_listPage = DriverListPage::All;
    int m_selectedMemoryRow = -1;
    std::string m_selectedMemoryRowText;
    bool m_writing = false;  // the panel's own writes do not start another pass

    std::array<QLineEdit*, kParamCount> m_fields{};  // indexed by the parameter a field shows
    QLineEdit* m_nameField = nullptr;
    QLineEdit* m_urlField = nullptr;
    ClickableLabel* m_nameLabel = nullptr;
    ClickableLabel* m_webSearchIcon = nullptr;
    ClickableLabel* m_clearAll = nullptr;
    ClickableLabel* m_diaphragmToggle = nullptr;
    ClickableLabel* m_motorCaption = nullptr;
    ClickableLabel* m_motorUnit = nullptr;
    ClickableLabel* m_vasUnit = nullptr;
    ClickableLabel* m_glossUnit = nullptr;
};

}  // namespace sublumo
