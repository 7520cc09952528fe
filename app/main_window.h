#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "design_document.h"
#include "driver_database.h"
#include "driver_record.h"
#include "number_text.h"
#include "recovery.h"

class QMenu;
class QPlainTextEdit;
class QTabWidget;
class QTimer;
class QToolButton;

namespace sublumo {

namespace database {
class SettingsStore;
class SectionValues;
}  // namespace database

class DesignRecovery;
class DesignSession;
class DetailedListWindow;
class DriverListsPage;
class EnclosurePage;
class LazyPage;
class LazyPart;
class ParameterPanel;
class PlatformServices;
class SummaryBox;

// The main window: the pages "Loudspeaker", "Enclosure" and "Formulas", the icon strip at the
// top right, the window's size per page and the short deferred work after a page is shown.
// What the first frame does not show (the pages "Enclosure", "Formulas" and "Advanced options",
// the detailed list window) is built when first shown or asked for; LazyPart::buildAll(window)
// builds it all at once.
class MainWindow : public QWidget {
    Q_OBJECT
    // Read by parts of the pages that keep their own entries in the settings file.
    Q_PROPERTY(QString settingsPath READ settingsPath CONSTANT)
public:
    static constexpr int kNarrowWidth = 566;
    static constexpr int kWideWidth = 747;
    static constexpr int kTallHeight = 670;
    static constexpr int kShortHeight = 269;
    static constexpr int kPageTimerMs = 300;

    // Opens the database and the settings beside the program and restores the saved state.
    // When the database cannot be read, the lock message is shown and startupFailed() is true:
    // the program then ends without showing the window or writing the settings.
    MainWindow(PlatformServices& platform, QString programDirectory, QWidget* parent = nullptr);
    ~MainWindow() override;

    bool startupFailed() const { return m_startupFailed; }
    ParameterPanel& parameterPanel() const { return *m_panel; }
    // The Enclosure page and the detailed list window, built if need be.
    EnclosurePage& enclosurePage() const;
    DriverListsPage& driverListsPage() const { return *m_driverLists; }
    DetailedListWindow& detailedListWindow() const;
    database::DriverDatabase& database() { return m_database; }
    QString settingsPath() const;

    // The detailed list window writes its column switches (section Form2) through this at
    // shut-down, after Form and recent. Without one, Form2 stays as the file holds it.
    using ColumnSettingsWriter = std::function<void(database::SettingsStore&)>;
    void setColumnSettingsWriter(ColumnSettingsWriter writer) {
        m_columnSettingsWriter = std::move(writer);
    }
    // Shut-down: Form, recent, then Form2. Runs once, when the window closes.
    void writeSettings();
    bool isTall() const { return m_tall; }
    bool isPinned() const { return m_pinned; }
    QTimer& pageTimer() const { return *m_pageTimer; }

    void setTall(bool tall);
    void setPinned(bool pinned);
    void showPage(int index);
    void takeScreenshot();
    void showInfo();

    // Design files: open one, save to the file it came from (asking the first time), or ask
    // for a new file. A save returns whether the design reached its file.
    void openDesign();
    bool saveDesign();
    bool saveDesignAs();
    // Opens `path` as "Open design..." does once the file is chosen.
    bool openDesignFile(const QString& path);
    const QString& designPath() const { return m_designPath; }
    bool designModified() const { return m_designModified; }
    // Builds the Enclosure page first: the session reads and writes its fields.
    DesignSession& designSession() const;
    // The design files last opened or saved, newest first.
    const std::vector<std::string>& recentDesigns() const { return m_recentDesigns; }
    // The working state kept against a crash; none when the start-up failed.
    DesignRecovery* designRecovery() const { return m_recovery; }

signals:
    // The page timer fired on "Enclosure": the selected box type starts its design.
    void enclosureStartRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The chart choice of the Enclosure page as the settings file has it, kept as read until
    // the page is built and written back so when it never is.
    struct ChartSettings {
        std::string kind = "Response";
        int ventVelocityLine = 17;
    };

    void startUp();
    void applyFormSettings(const database::SectionValues& form, std::vector<std::string> recent);
    void applyChartSettings();
    QString programFile(std::string_view name) const;
    QWidget* buildLoudspeakerPage();
    QWidget* buildEnclosurePage();
    QWidget* buildFormulasPage();
    void buildIconStrip();
    QToolButton* addStripButton(const QString& objectName, const QString& tooltip,
                                const QString& clickDoes, int iconKind);
    void onPageChanged(int index);
    void onPageTimer();
    void applySize();
    void placeIconStrip();
    void focusOnLoudspeakerPage();
    void rebuildFormulas();
    void buildDetailedList();
    void showDetailedList();
    void loadFromDetailedList(const database::DriverRecord& record);
    QString captionWithDriverName() const;
    void setCaption(const QString& caption);
    void buildDesignButtons();
    void rebuildRecentMenu();
    void openRecentDesign(const std::string& path);
    void connectDesignSession();
    bool writeDesign(const QString& path);
    void noteDesignEdited();
    void checkDesignModified();
    void setDesignModified(bool modified);
    // Asked at the close of a modified design that has a file; false when the user cancels.
    bool settleUnsavedDesign();
    // Starts keeping the working state and offers the one a copy that did not close left.
    void startRecovery();
    void restoreDesign(const design_file::RecoveryState& state);
    design_file::RecoveryState recoveryState() const;

    PlatformServices& m_platform;
    QString m_programDirectory;
    database::DriverDatabase m_database;
    bool m_startupFailed = false;
    bool m_settingsWritten = false;
    ChartSettings m_chartSettings;
    bool m_arrangementRefreshPending = false;  // a load while the Enclosure page was unbuilt
    ColumnSettingsWriter m_columnSettingsWriter;
    DriverListsPage* m_driverLists = nullptr;
    LazyPart* m_detailedListPart = nullptr;
    DetailedListWindow* m_detailedList = nullptr;  // until it is built
    NumberFormat m_format;
    bool m_tall = true;
    bool m_pinned = false;

    QTabWidget* m_pages = nullptr;
    ParameterPanel* m_panel = nullptr;
    SummaryBox* m_summary = nullptr;
    QTabWidget* m_lowerArea = nullptr;
    LazyPage* m_enclosurePage = nullptr;
    EnclosurePage* m_enclosure = nullptr;  // until the page is built
    LazyPage* m_formulasPage = nullptr;
    QPlainTextEdit* m_formulas = nullptr;  // until the page is built
    QTimer* m_pageTimer = nullptr;

    QWidget* m_iconStrip = nullptr;
    QWidget* m_designStrip = nullptr;  // "Open design..." and "Save design...", left of the icons
    QToolButton* m_expand = nullptr;
    QToolButton* m_contract = nullptr;
    QToolButton* m_showText = nullptr;
    QToolButton* m_pinOff = nullptr;
    QToolButton* m_pinOn = nullptr;

    std::unique_ptr<DesignSession> m_session;
    QString m_caption;     // the page's caption, before the file name
    QString m_designPath;  // empty until the design has a file
    std::optional<design_file::DesignDocument> m_savedDesign;  // as the file holds it
    bool m_designModified = false;
    bool m_checkPending = false;
    // While the program itself fills or starts the design (an open, the Enclosure page's first
    // start): what changes then is no edit of the user's.
    bool m_programEdits = false;
    std::vector<std::string> m_recentDesigns;
    QMenu* m_recentMenu = nullptr;
    DesignRecovery* m_recovery = nullptr;
};

}  // namespace sublumo
