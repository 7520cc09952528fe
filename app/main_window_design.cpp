// Design files in the main window: "Open design..." and "Save design..." beside the icon
// strip, their shortcuts, the file name and the unsaved mark in the caption, the question at
// the close, and the design memory's "Load into design".
#include <QBoxLayout>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>

#include "charts/response_charts_view.h"
#include "design_file.h"
#include "design_recovery.h"
#include "design_session.h"
#include "driver_lists/driver_lists_page.h"
#include "enclosure/enclosure_page.h"
#include "enclosure/memory_slot_panel.h"
#include "loudspeaker/parameter_panel.h"
#include "main_window.h"
#include "platform/platform_services.h"
#include "program_info.h"
#include "settings_keys.h"
#include "widgets/icons.h"
#include "widgets/shown_state.h"

namespace sublumo {

namespace {

const QString kDesignFilter = QStringLiteral("Sublumo design (*.sublumo)|*.sublumo");
const QString kDesignSuffix = QStringLiteral("sublumo");
enum SaveChoice { Save, Discard, Cancel };

QToolButton* makeDesignButton(QWidget* strip, const QString& name, const QString& caption,
                              const QString& hint, IconKind icon) {
    auto* button = new QToolButton(strip);
    button->setObjectName(name);
    showState(button, {}, caption, hint);
    button->setIcon(sublumoIcon(icon));
    button->setIconSize(QSize(16, 16));
    button->setAutoRaise(true);
    // Unlike the view icons these act on the design, so Tab reaches them.
    button->setFocusPolicy(Qt::TabFocus);
    strip->layout()->addWidget(button);
    return button;
}

}  // namespace

void MainWindow::buildDesignButtons() {
    m_designStrip = new QWidget(this);
    m_designStrip->setObjectName(QStringLiteral("designStrip"));
    auto* row = new QHBoxLayout(m_designStrip);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    QToolButton* open = makeDesignButton(
        m_designStrip, QStringLiteral("openDesign"), QStringLiteral("Open design..."),
        QStringLiteral("Open a design file (Ctrl+O); the arrow or Down lists the recent ones"),
        IconKind::OpenDesign);
    m_recentMenu = new QMenu(open);
    m_recentMenu->setObjectName(QStringLiteral("recentDesigns"));
    m_recentMenu->setAccessibleName(QStringLiteral("Recent design files"));
    connect(m_recentMenu, &QMenu::aboutToShow, this, &MainWindow::rebuildRecentMenu);
    open->setMenu(m_recentMenu);
    open->setPopupMode(QToolButton::MenuButtonPopup);
    // The keyboard's way to the drop-down: Down (or Alt+Down) on the focused button.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Down), QKeySequence(Qt::ALT | Qt::Key_Down)}) {
        auto* drop = new QShortcut(keys, open);
        drop->setContext(Qt::WidgetShortcut);
        connect(drop, &QShortcut::activated, open, &QToolButton::showMenu);
    }
    QToolButton* save = makeDesignButton(
        m_designStrip, QStringLiteral("saveDesign"), QStringLiteral("Save design..."),
        QStringLiteral("Save the design to its file (Ctrl+S); the arrow offers Save design as..."),
        IconKind::SaveDesign);
    auto* menu = new QMenu(save);
    menu->setObjectName(QStringLiteral("saveDesignMenu"));
    QAction* saveAs =
        menu->addAction(QStringLiteral("Save design as..."), this, [this] { saveDesignAs(); });
    saveAs->setObjectName(QStringLiteral("saveDesignAs"));
    saveAs->setToolTip(QStringLiteral("Save the design to a new file (Ctrl+Shift+S)"));
    save->setMenu(menu);
    save->setPopupMode(QToolButton::MenuButtonPopup);
    connect(open, &QToolButton::clicked, this, &MainWindow::openDesign);
    connect(save, &QToolButton::clicked, this, [this] { saveDesign(); });
    const auto shortcut = [this](QKeySequence keys, auto action) {
        auto* s = new QShortcut(keys, this);
        s->setContext(Qt::WindowShortcut);
        connect(s, &QShortcut::activated, this, action);
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_O), [this] { openDesign(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_S), [this] { saveDesign(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { saveDesignAs(); });
}

DesignSession& MainWindow::designSession() const {
    enclosurePage();
    return *m_session;
}

// Runs when the Enclosure page is built: the session and the unsaved mark need its fields.
void MainWindow::connectDesignSession() {
    EnclosurePage& page = *m_enclosure;
    m_session = std::make_unique<DesignSession>(driverListsPage(), page, m_format,
                                                parameterPanel().nameField());
    // A stored design keeps its inputs, so that it can be loaded back.
    page.memorySlots().setSnapshotProvider([this, &page] {
        memory::DesignSnapshot snapshot = page.memorySnapshot();
        snapshot.inputs = design_file::slotInputs(m_session->gather(false));
        return snapshot;
    });
    connect(&page.memorySlots(), &MemorySlotPanel::loadRequested, this, [this, &page](int k) {
        const memory::Slot& slot = page.memorySlots().designMemory().slot(k);
        if (!slot.inputs.empty())
            m_session->apply(design_file::fromSlotInputs(slot.inputs), false);
    });
    connect(&page, &EnclosurePage::designEdited, this, &MainWindow::noteDesignEdited);
    connect(&page.memorySlots(), &MemorySlotPanel::slotChanged, this,
            &MainWindow::noteDesignEdited);
    connect(&page.charts(), &ResponseChartsView::chartWindowChanged, this,
            &MainWindow::noteDesignEdited);
    connect(&page.charts(), &ResponseChartsView::limitKindChanged, this,
            &MainWindow::noteDesignEdited);
    connect(&page.charts(), &ResponseChartsView::ventVelocityLineChanged, this,
            &MainWindow::noteDesignEdited);
    connect(&parameterPanel(), &ParameterPanel::solved, this, &MainWindow::noteDesignEdited);
}

void MainWindow::setCaption(const QString& caption) {
    m_caption = caption;
    if (m_designPath.isEmpty()) {
        setWindowTitle(caption);
        return;
    }
    // The unsaved mark follows the file name, as the file is what it is about.
    setWindowTitle(caption + QStringLiteral(" - ") + QFileInfo(m_designPath).fileName() +
                   (m_designModified ? QStringLiteral("*") : QString()));
}

// Only a design with a file has a mark to keep; the comparison waits until the events of the
// edit are done, so a keystroke never waits for it.
void MainWindow::noteDesignEdited() {
    if (m_programEdits)
        return;
    if (m_recovery != nullptr)
        m_recovery->noteChange();
    if (m_designPath.isEmpty() || m_checkPending)
        return;
    m_checkPending = true;
    QTimer::singleShot(0, this, &MainWindow::checkDesignModified);
}

void MainWindow::checkDesignModified() {
    m_checkPending = false;
    if (m_savedDesign)
        setDesignModified(designSession().gather() != *m_savedDesign);
}

void MainWindow::setDesignModified(bool modified) {
    m_designModified = modified;
    setCaption(m_caption);
}

void MainWindow::openDesign() {
    const QStringList paths =
        m_platform.askOpenPaths(this, QStringLiteral("Open design"), kDesignFilter, false);
    if (!paths.isEmpty())
        openDesignFile(paths.front());
}

bool MainWindow::openDesignFile(const QString& path) {
    const design_file::DesignFileRead read =
        design_file::readDesignFile(path.toStdString(), m_format);
    if (!read) {
        m_platform.showError(this, QString::fromStdString(design_file::errorMessage(read.error)));
        return false;
    }
    m_designPath.clear();  // no mark is followed while the fields are filled in
    {
        const QScopedValueRollback<bool> filling(m_programEdits, true);
        designSession().apply(*read.document);
    }
    // The file holds what the window shows: a recovery copy already written is brought up to
    // it, and none is begun.
    if (m_recovery != nullptr && !m_recovery->filePath().isEmpty())
        m_recovery->noteChange();
    m_designPath = path;
    m_recentDesigns = database::withRecentDesign(std::move(m_recentDesigns), path.toStdString());
    // What the window shows now is what the file holds, as far as the window can show it.
    m_savedDesign = designSession().gather();
    setDesignModified(false);
    return true;
}

void MainWindow::rebuildRecentMenu() {
    m_recentMenu->clear();
    if (m_recentDesigns.empty()) {
        m_recentMenu->addAction(QStringLiteral("No recent design files"))->setEnabled(false);
        return;
    }
    int number = 0;
    for (const std::string& path : m_recentDesigns) {
        const QString shown = QDir::toNativeSeparators(QString::fromStdString(path));
        QAction* entry =
            m_recentMenu->addAction(shown, this, [this, path] { openRecentDesign(path); });
        entry->setObjectName(QStringLiteral("recentDesign%1").arg(++number));
        entry->setToolTip(QStringLiteral("Open %1").arg(shown));
    }
}

void MainWindow::openRecentDesign(const std::string& path) {
    const QString file = QString::fromStdString(path);
    if (!QFileInfo(file).isFile()) {
        std::erase(m_recentDesigns, path);
        m_platform.showError(this, QStringLiteral("%1: the design file is no longer there; it is "
                                                  "taken off the recent files.")
                                       .arg(QDir::toNativeSeparators(file)));
        return;
    }
    openDesignFile(file);
}

bool MainWindow::saveDesign() {
    return m_designPath.isEmpty() ? saveDesignAs() : writeDesign(m_designPath);
}

bool MainWindow::saveDesignAs() {
    const std::string name = driverListsPage().currentDriver().name;
    const QString proposed =
        (name.empty() ? QStringLiteral("unnamed") : QString::fromStdString(name)) +
        QStringLiteral(".") + kDesignSuffix;
    const auto path = m_platform.askSavePath(this, proposed, kDesignFilter, kDesignSuffix);
    return path && writeDesign(*path);
}

bool MainWindow::writeDesign(const QString& path) {
    design_file::DesignDocument document = designSession().gather();
    document.programVersion = kProgramVersion;
    const design_file::DesignFileWrite written =
        design_file::writeDesignFile(path.toStdString(), document);
    if (!written) {
        m_platform.showError(this, QString::fromStdString(written.errorText));
        return false;
    }
    m_designPath = path;
    m_recentDesigns = database::withRecentDesign(std::move(m_recentDesigns), path.toStdString());
    if (m_recovery != nullptr && !m_recovery->filePath().isEmpty())
        m_recovery->noteChange();  // now without the unsaved mark
    document.programVersion.clear();
    m_savedDesign = std::move(document);
    setDesignModified(false);
    return true;
}

bool MainWindow::settleUnsavedDesign() {
    if (m_designPath.isEmpty())
        return true;
    checkDesignModified();
    if (!m_designModified)
        return true;
    const int choice = m_platform.askChoice(
        this, QString::fromLatin1(kProgramName),
        QStringLiteral("Save changes to %1?").arg(QFileInfo(m_designPath).fileName()),
        {QStringLiteral("Save"), QStringLiteral("Discard"), QStringLiteral("Cancel")});
    if (choice == Save)
        return saveDesign();
    return choice == Discard;
}

design_file::RecoveryState MainWindow::recoveryState() const {
    return {designSession().gather(), m_designPath.toStdString(), m_designModified};
}

void MainWindow::startRecovery() {
    m_recovery = new DesignRecovery(
        m_programDirectory, [this] { return recoveryState(); }, this);
    // Driver fields count before the Enclosure page is ever built.
    const auto noteChange = [this] {
        if (!m_programEdits)
            m_recovery->noteChange();
    };
    connect(&parameterPanel(), &ParameterPanel::solved, m_recovery, noteChange);
    connect(parameterPanel().nameField(), &QLineEdit::textChanged, m_recovery, noteChange);
    const auto leftover = m_recovery->takeLeftover(m_format);
    if (!leftover)
        return;
    if (m_platform.askYesNo(this, QString::fromLatin1(kProgramName),
                            QStringLiteral("Sublumo did not close properly. Restore the design "
                                           "you were working on?")))
        restoreDesign(*leftover);
    m_recovery->discardLeftovers();
}

void MainWindow::restoreDesign(const design_file::RecoveryState& state) {
    m_designPath.clear();  // no mark is followed while the fields are filled in
    designSession().apply(state.document);
    m_designPath = QString::fromStdString(state.designPath);
    if (!m_designPath.isEmpty()) {
        // A change is measured against the file as it is on the disk.
        if (!state.modified)
            m_savedDesign = designSession().gather();
        else if (auto read = design_file::readDesignFile(state.designPath, m_format))
            m_savedDesign = std::move(read.document);
        setDesignModified(state.modified);
    }
    m_recovery->noteChange();  // kept again, now in this copy's own file
}

}  // namespace sublumo
