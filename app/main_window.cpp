#include "main_window.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "calculators/calculator_page.h"
#include "design_session.h"
#include "driver_lists/detailed_list_window.h"
#include "driver_lists/driver_lists_page.h"
#include "driver_summary.h"
#include "enclosure/enclosure_page.h"
#include "formulas_report.h"
#include "loudspeaker/parameter_panel.h"
#include "loudspeaker/summary_box.h"
#include "platform/platform_services.h"
#include "platform/png_writer.h"
#include "program_info.h"
#include "settings_store.h"
#include "widgets/icons.h"
#include "widgets/lazy_page.h"
#include "widgets/shown_state.h"

namespace sublumo {

namespace {

const QString kTitle = QString::fromLatin1(kProgramTitle);
constexpr int kLoudspeakerPage = 0;
constexpr int kEnclosurePage = 1;
constexpr int kFormulasPage = 2;
constexpr int kStripXNarrow = 447;
constexpr int kStripXWide = 628;

NumberFormat localeNumberFormat() {
    const QString point = QLocale().decimalPoint();
    return NumberFormat{point.isEmpty() ? '.' : point.front().toLatin1()};
}

const QStringList kInfoLines = {
    QStringLiteral("%1 (released %2)").arg(kTitle, QString::fromLatin1(kReleaseDate)),
    QString(),
    QStringLiteral("Written by the Sublumo developers."),
    QStringLiteral("Free software under the GNU General Public License, version 3 or later."),
    QStringLiteral("It comes with no warranty: check a design before you build it."),
    QString(),
    QStringLiteral("To carry out a simulation, only six parameters are required:"),
    QStringLiteral("Qms, Qes, fs, Mms, Dd and Re. The rest is calculated."),
    QString(),
    QStringLiteral("Up/Down keys change the numeric value by +/-1."),
    QStringLiteral("For fine tuning, hold down Shift or Ctrl key beforehand."),
    QString(),
    QStringLiteral("Used constants:"),
    QStringLiteral("speed of sound: 344 m/s at 20 °C"),
    QStringLiteral("density of air: 1.2 kg/m^3 at 20 °C"),
    QStringLiteral("gravity acceleration: 9.81 m/s^2"),
    QStringLiteral("fill: 5 % equals +1 % to Vb"),
    QStringLiteral("Ql: 7 (BR), 10000 (BP)"),
};

}  // namespace

MainWindow::MainWindow(PlatformServices& platform, QString programDirectory, QWidget* parent)
    : QWidget(parent),
      m_platform(platform),
      m_programDirectory(std::move(programDirectory)),
      m_format(localeNumberFormat()) {
    setObjectName(QStringLiteral("mainWindow"));
    setCaption(kTitle);
    setWindowIcon(sublumoIcon(IconKind::Application));

    m_pageTimer = new QTimer(this);
    m_pageTimer->setInterval(kPageTimerMs);
    connect(m_pageTimer, &QTimer::timeout, this, &MainWindow::onPageTimer);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("pages"));
    m_pages->addTab(buildLoudspeakerPage(), QStringLiteral("Loudspeaker"));
    m_enclosurePage = new LazyPage([this] { return buildEnclosurePage(); });
    m_pages->addTab(m_enclosurePage, QStringLiteral("Enclosure"));
    m_formulasPage = new LazyPage([this] { return buildFormulasPage(); });
    m_pages->addTab(m_formulasPage, QStringLiteral("Formulas"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pages);
    buildIconStrip();
    buildPagesWhenChosen(m_pages);
    connect(m_pages, &QTabWidget::currentChanged, this, &MainWindow::onPageChanged);
    onPageChanged(kLoudspeakerPage);
    startUp();
    // Hidden until the count label of "All" asks for it.
    m_detailedListPart = new LazyPart([this] { buildDetailedList(); }, this);
    connect(m_driverLists, &DriverListsPage::detailedListRequested, this,
            &MainWindow::showDetailedList);
    if (!m_startupFailed)
        startRecovery();
}

EnclosurePage& MainWindow::enclosurePage() const {
    m_enclosurePage->content();
    return *m_enclosure;
}

DetailedListWindow& MainWindow::detailedListWindow() const {
    m_detailedListPart->build();
    return *m_detailedList;
}

QWidget* MainWindow::buildEnclosurePage() {
    m_enclosure = new EnclosurePage(m_platform, m_format, [this]() -> const DriverParameters& {
        return m_panel->parameters();
    });
    connect(this, &MainWindow::enclosureStartRequested, m_enclosure, &EnclosurePage::startDesign);
    connect(m_enclosure, &EnclosurePage::windowCaptionChanged, this, [this](const QString& text) {
        if (m_pages->currentIndex() == kEnclosurePage)
            setCaption(text);
    });
    applyChartSettings();
    if (m_arrangementRefreshPending)
        m_enclosure->refreshArrangement();
    connectDesignSession();
    return m_enclosure;
}

QWidget* MainWindow::buildFormulasPage() {
    m_formulas = new QPlainTextEdit;
    m_formulas->setObjectName(QStringLiteral("formulasText"));
    m_formulas->setAccessibleName(QStringLiteral("Formulas"));
    m_formulas->setAccessibleDescription(
        QStringLiteral("Every driver parameter with its formula and full-precision value"));
    m_formulas->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_formulas->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    return m_formulas;
}

MainWindow::~MainWindow() = default;

void MainWindow::buildDetailedList() {
    m_detailedList = new DetailedListWindow(m_format, this);
    m_detailedList->setRowsSource([this] {
        return database::detailedRows(m_database, m_driverLists->allEntries(), m_format);
    });
    connect(m_driverLists, &DriverListsPage::listsChanged, m_detailedList,
            &DetailedListWindow::rebuildIfAutoReloading);
    connect(m_detailedList, &DetailedListWindow::loadRequested, this,
            &MainWindow::loadFromDetailedList);
    // The switches as the file holds them, so that they go back unchanged unless the user
    // changes them.
    database::SettingsStore settings;
    settings.open(settingsPath().toStdString());
    m_detailedList->readColumnSwitches(settings);
    setColumnSettingsWriter(
        [this](database::SettingsStore& store) { m_detailedList->writeColumnSwitches(store); });
}

void MainWindow::showDetailedList() {
    DetailedListWindow& list = detailedListWindow();
    database::SettingsStore settings;
    settings.open(settingsPath().toStdString());
    list.showBeside(*this, settings);
    list.activateWindow();
}

void MainWindow::loadFromDetailedList(const database::DriverRecord& record) {
    m_driverLists->loadDetailedListRow(record);
    const int page = m_pages->currentIndex();
    if (page == kEnclosurePage) {
        setCaption(captionWithDriverName());
        enclosurePage().recompute();
    } else if (page == kFormulasPage) {
        setCaption(captionWithDriverName());
        rebuildFormulas();
    }
    if (m_enclosure != nullptr)
        m_enclosure->refreshArrangement();
    else
        m_arrangementRefreshPending = true;  // done when the page is built
}

QWidget* MainWindow::buildLoudspeakerPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("loudspeakerPage"));
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_panel = new ParameterPanel(m_platform, m_format, page);
    column->addWidget(m_panel);

    m_lowerArea = new QTabWidget(page);
    m_lowerArea->setObjectName(QStringLiteral("lowerArea"));
    m_summary = new SummaryBox(*m_panel, m_format, page);
    m_driverLists =
        new DriverListsPage(m_platform, m_format, *m_panel, *m_summary, m_database, settingsPath());
    auto* tools =
        new LazyPage([this] { return new CalculatorPage(m_platform, m_format, *m_panel); });
    m_lowerArea->addTab(m_driverLists, QStringLiteral("List of drivers"));
    m_lowerArea->addTab(tools, QStringLiteral("Advanced options"));
    buildPagesWhenChosen(m_lowerArea);
    column->addWidget(m_lowerArea, 1);

    m_summary->raise();
    m_summary->setGeometry(0, 0, kNarrowWidth, m_summary->sizeHint().height());
    connect(m_panel, &ParameterPanel::backgroundClicked, m_summary, &QWidget::hide);
    connect(m_panel, &ParameterPanel::expandToggleRequested, this, [this] { setTall(!m_tall); });
    return page;
}

QToolButton* MainWindow::addStripButton(const QString& objectName, const QString& tooltip,
                                        const QString& clickDoes, int iconKind) {
    auto* button = new QToolButton(m_iconStrip);
    button->setObjectName(objectName);
    showState(button, {}, tooltip, clickDoes);
    button->setIcon(sublumoIcon(static_cast<IconKind>(iconKind)));
    button->setIconSize(QSize(16, 16));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    m_iconStrip->layout()->addWidget(button);
    return button;
}

void MainWindow::buildIconStrip() {
    m_iconStrip = new QWidget(this);
    m_iconStrip->setObjectName(QStringLiteral("iconStrip"));
    auto* row = new QHBoxLayout(m_iconStrip);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    // One of each pair shows at a time; each names the state it stands for.
    m_expand = addStripButton(QStringLiteral("expand"), QStringLiteral("Expand window"),
                              QStringLiteral("Show the driver lists and calculators below"),
                              static_cast<int>(IconKind::Expand));
    m_contract = addStripButton(QStringLiteral("contract"), QStringLiteral("Contract window"),
                                QStringLiteral("Hide the driver lists and calculators"),
                                static_cast<int>(IconKind::Contract));
    m_showText =
        addStripButton(QStringLiteral("showText"), QStringLiteral("Show parameters as text"),
                       QStringLiteral("Show or hide the driver summary text"),
                       static_cast<int>(IconKind::ShowText));
    QToolButton* shot =
        addStripButton(QStringLiteral("screenshot"), QStringLiteral("Take and save screenshot"),
                       QStringLiteral("Save a picture of the window as a PNG file"),
                       static_cast<int>(IconKind::Screenshot));
    m_pinOff =
        addStripButton(QStringLiteral("stayOnTopOff"), QStringLiteral("Stay on top disabled"),
                       QStringLiteral("Keep the window above other windows"),
                       static_cast<int>(IconKind::StayOnTopOff));
    m_pinOn = addStripButton(QStringLiteral("stayOnTopOn"), QStringLiteral("Stay on top enabled"),
                             QStringLiteral("Let other windows cover this one again"),
                             static_cast<int>(IconKind::StayOnTopOn));
    QToolButton* info =
        addStripButton(QStringLiteral("info"), QStringLiteral("Info"),
                       QStringLiteral("Show the program's version and the constants it uses"),
                       static_cast<int>(IconKind::Info));
    buildDesignButtons();
    m_pinOn->hide();
    connect(m_expand, &QToolButton::clicked, this, [this] { setTall(true); });
    connect(m_contract, &QToolButton::clicked, this, [this] { setTall(false); });
    connect(m_showText, &QToolButton::clicked, m_summary, &SummaryBox::toggleShown);
    connect(shot, &QToolButton::clicked, this, &MainWindow::takeScreenshot);
    connect(m_pinOff, &QToolButton::clicked, this, [this] { setPinned(true); });
    connect(m_pinOn, &QToolButton::clicked, this, [this] { setPinned(false); });
    connect(info, &QToolButton::clicked, this, &MainWindow::showInfo);
}

void MainWindow::showPage(int index) {
    m_pages->setCurrentIndex(index);
}

void MainWindow::onPageChanged(int index) {
    if (index == kLoudspeakerPage) {
        setCaption(kTitle);
        focusOnLoudspeakerPage();
        m_showText->show();
        m_contract->setVisible(m_tall);
        m_expand->setVisible(!m_tall);
    } else {
        setCaption(captionWithDriverName());
        m_showText->hide();
        m_contract->hide();
        m_expand->hide();
        m_pageTimer->start();
    }
    applySize();
}

// Runs until it finds "Enclosure" or "Formulas" showing: a visit to "Loudspeaker" before it
// fires leaves the work pending for the next visit.
void MainWindow::onPageTimer() {
    const int page = m_pages->currentIndex();
    if (page == kLoudspeakerPage)
        return;
    m_pageTimer->stop();
    if (page == kEnclosurePage) {
        const QScopedValueRollback<bool> starting(m_programEdits, true);
        emit enclosureStartRequested();
    }
    if (page == kFormulasPage)
        rebuildFormulas();
}

void MainWindow::rebuildFormulas() {
    m_formulasPage->content();
    QStringList lines;
    for (const std::string& line : buildFormulasReport(m_panel->parameters(), m_format))
        lines << QString::fromStdString(line);
    m_formulas->setPlainText(lines.join(QLatin1Char('\n')));
}

QString MainWindow::captionWithDriverName() const {
    const QString name = m_panel->nameField()->text();
    return kTitle + (name.isEmpty() ? QStringLiteral(" | unnamed") : QStringLiteral(" | ") + name);
}

void MainWindow::focusOnLoudspeakerPage() {
    if (m_lowerArea->currentIndex() != 0)
        return;  // "Advanced options" keeps its focus
    if (m_tall)
        m_lowerArea->currentWidget()->setFocus();
    else
        m_panel->nameField()->setFocus();
}

void MainWindow::applySize() {
    const bool loudspeaker = m_pages->currentIndex() == kLoudspeakerPage;
    const int height = loudspeaker && !m_tall ? kShortHeight : kTallHeight;
    setFixedSize(loudspeaker ? kNarrowWidth : kWideWidth, height);
    placeIconStrip();
}

void MainWindow::placeIconStrip() {
    const bool loudspeaker = m_pages->currentIndex() == kLoudspeakerPage;
    m_iconStrip->adjustSize();
    m_iconStrip->move(loudspeaker ? kStripXNarrow : kStripXWide, 0);
    m_iconStrip->raise();
    m_designStrip->adjustSize();
    m_designStrip->move(m_iconStrip->x() - m_designStrip->width(), 0);
    m_designStrip->raise();
}

void MainWindow::setTall(bool tall) {
    m_tall = tall;
    m_lowerArea->setVisible(tall);
    if (m_pages->currentIndex() == kLoudspeakerPage) {
        m_contract->setVisible(tall);
        m_expand->setVisible(!tall);
    }
    applySize();
    if (tall)
        m_lowerArea->currentWidget()->setFocus();
    else
        m_panel->nameField()->setFocus();
}

void MainWindow::setPinned(bool pinned) {
    m_pinned = pinned;
    m_pinOff->setVisible(!pinned);
    m_pinOn->setVisible(pinned);
    placeIconStrip();
    m_platform.setStayOnTop(this, pinned);
}

void MainWindow::takeScreenshot() {
    // The capture comes first, so that the save dialog is not in the picture.
    QWidget* front = QApplication::activeWindow() != nullptr ? QApplication::activeWindow() : this;
    const QImage image = m_platform.captureWindow(front);
    const QString proposed = QString::fromStdString(
        proposedScreenshotFileName(m_panel->nameField()->text().toStdString()));
    const auto path = m_platform.askSavePath(
        this, proposed, QStringLiteral("Portable Network Graphics (*.png)|*.png"),
        QStringLiteral("png"));
    if (!path)
        return;
    if (image.isNull()) {
        m_platform.showError(this, QStringLiteral("The window could not be captured."));
        return;
    }
    const PngWriteResult written = writePng(image, *path);
    if (!written.ok)
        m_platform.showError(this, written.error);
}

void MainWindow::showInfo() {
    m_platform.showInfo(this, QStringLiteral("Info"), kInfoLines.join(QLatin1Char('\n')));
}

}  // namespace sublumo
