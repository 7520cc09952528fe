// Start-up and shut-down of the main window: the database and the settings file beside the
// program, the saved working state restored key by key, and written back at the close.
#include <QCloseEvent>
#include <QDir>
#include <algorithm>
#include <cmath>

#include "charts/response_charts_view.h"
#include "driver_lists/driver_lists_page.h"
#include "enclosure/enclosure_page.h"
#include "loudspeaker/parameter_panel.h"
#include "loudspeaker/summary_box.h"
#include "main_window.h"
#include "platform/platform_services.h"
#include "settings_keys.h"

namespace sublumo {

namespace {

using database::SectionValues;

constexpr std::array<const char*, 3> kPositionKeys = {"Pos1", "Pos2", "Pos3"};

}  // namespace

QString MainWindow::programFile(std::string_view name) const {
    return QDir(m_programDirectory)
        .filePath(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

QString MainWindow::settingsPath() const {
    return programFile(database::kSettingsFileName);
}

void MainWindow::startUp() {
    const database::OpenResult opened =
        m_database.openDatabase(programFile(database::kDatabaseFileName).toStdString());
    if (opened.status == database::OpenStatus::Unreadable) {
        m_platform.showError(this, QString::fromUtf8(database::kDatabaseInUseMessage.data()));
        m_startupFailed = true;
        return;
    }
    database::SettingsStore store;
    store.open(settingsPath().toStdString());
    const SectionValues form =
        SectionValues::read(store, database::kFormSection, database::formKeys());
    applyFormSettings(form, database::readRecentList(store));
    m_recentDesigns = database::readRecentDesigns(store);
    m_driverLists->start();
    setTall(form.boolean("High"));
    // A window that was never shown is in no band yet: only "on top" needs the call.
    if (form.boolean("Pin"))
        setPinned(true);
}

void MainWindow::applyFormSettings(const SectionValues& form, std::vector<std::string> recent) {
    move(form.integer("Left"), form.integer("Top"));
    SummaryOptions summary;
    summary.form = static_cast<SummaryForm>(std::clamp(form.integer("Cff"), 0, 2));
    summary.colourMark = form.boolean("markbox");
    m_summary->setOptions(summary);

    DisplayToggles toggles;
    toggles.vasInCubicFeet = form.text("Vasunit") == "ft^3";
    toggles.glossInMm = form.text("Glossunit") == "mm";
    toggles.showMpow = form.text("BlMpow") != "Bl";
    m_panel->setDisplayToggles(toggles);

    DriverListsState lists;
    for (std::size_t i = 0; i < kPositionKeys.size(); ++i)
        lists.positions[i] = form.integer(kPositionKeys[i]);
    lists.filter = database::filterFromSettings(form);
    lists.recent = std::move(recent);
    m_driverLists->applyState(lists);
    m_chartSettings = {form.text("Chart"), form.integer("PortLine")};
}

// When the Enclosure page is built.
void MainWindow::applyChartSettings() {
    ResponseChartsView& charts = m_enclosure->charts();
    charts.setLimitKind(enclosure::limitKindFromTitle(m_chartSettings.kind));
    if (m_chartSettings.ventVelocityLine > 0)
        charts.setVentVelocityLine(m_chartSettings.ventVelocityLine);
}

void MainWindow::writeSettings() {
    if (m_startupFailed || m_settingsWritten)
        return;
    m_settingsWritten = true;
    database::SettingsStore store;
    store.open(settingsPath().toStdString());
    SectionValues form(database::formKeys());
    form.setInteger("Top", pos().y());
    form.setInteger("Left", pos().x());
    const SummaryOptions summary = m_summary->options();
    form.setInteger("Cff", static_cast<int>(summary.form));
    form.setBoolean("markbox", summary.colourMark);
    const DisplayToggles& toggles = m_panel->parameters().toggles;
    form.setText("Vasunit", toggles.vasInCubicFeet ? "ft^3" : "litres");
    form.setText("Glossunit", toggles.glossInMm ? "mm" : "%");
    form.setText("BlMpow", toggles.showMpow ? "Mpow" : "Bl");
    form.setBoolean("High", m_tall);
    form.setBoolean("Pin", m_pinned);
    const DriverListsState lists = m_driverLists->state();
    for (std::size_t i = 0; i < kPositionKeys.size(); ++i)
        form.setInteger(kPositionKeys[i], lists.positions[i]);
    database::storeFilterInSettings(lists.filter, form);
    if (m_enclosure != nullptr) {
        const ResponseChartsView& charts = m_enclosure->charts();
        const auto kind = charts.limitKind();
        m_chartSettings = {std::string(kind ? enclosure::limitKindTitle(*kind) : "Response"),
                           static_cast<int>(std::lround(charts.ventVelocityLine()))};
    }
    form.setText("Chart", m_chartSettings.kind);
    form.setInteger("PortLine", m_chartSettings.ventVelocityLine);
    form.write(store, database::kFormSection);
    database::writeRecentList(store, lists.recent);
    database::writeRecentDesigns(store, m_recentDesigns);
    if (m_columnSettingsWriter)
        m_columnSettingsWriter(store);
    if (const database::FlushResult flushed = store.flush(); !flushed)
        m_platform.showError(this, QString::fromStdString(flushed.errorText));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!settleUnsavedDesign()) {
        event->ignore();  // "Cancel": the program goes on
        return;
    }
    writeSettings();
    QWidget::closeEvent(event);
}

}  // namespace sublumo
