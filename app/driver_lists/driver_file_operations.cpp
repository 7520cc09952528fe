// Driver files on the page "List of drivers": importing many .wdr files into the database and
// exporting the current driver as one.
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <cerrno>
#include <cstring>

#include "driver_lists/driver_lists_page.h"
#include "file_access.h"
#include "loudspeaker/parameter_panel.h"
#include "platform/platform_services.h"

namespace sublumo {

namespace {

const QString kDriverFileFilter = QStringLiteral("Driver files (*.wdr)|*.wdr");
const QString kDriverFileSuffix = QStringLiteral("wdr");
const QString kImportTitle = QStringLiteral("Import");

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// A file that could not be read at all, skipped with the system's reason.
database::ImportItem unreadableItem(const std::string& fileName, std::string reason) {
    database::ImportItem item;
    item.fileName = fileName;
    item.read.reason = reason;
    item.skipReason = std::move(reason);
    return item;
}

}  // namespace

database::CollisionChoice DriverListsPage::askCollision(const std::string& name) {
    using database::CollisionChoice;
    static constexpr std::array<CollisionChoice, 4> kChoices = {
        CollisionChoice::Replace, CollisionChoice::Skip, CollisionChoice::ReplaceAll,
        CollisionChoice::SkipAll};
    const QStringList captions = {QStringLiteral("Replace"), QStringLiteral("Skip"),
                                  QStringLiteral("Replace all"), QStringLiteral("Skip all")};
    const int answer = m_platform.askChoice(this, kImportTitle,
                                            qs(database::collisionQuestionText(name)), captions);
    // Closing the box keeps what is stored.
    return answer >= 0 && answer < static_cast<int>(kChoices.size())
               ? kChoices[static_cast<std::size_t>(answer)]
               : CollisionChoice::Skip;
}

void DriverListsPage::importDriverFiles() {
    const QStringList paths = m_platform.askOpenPaths(this, QStringLiteral("Import driver files"),
                                                      kDriverFileFilter, true);
    if (paths.isEmpty())
        return;
    std::vector<database::DriverFileInput> readable;
    std::vector<std::optional<database::ImportItem>> unreadable;  // by position, for the summary
    for (const QString& path : paths) {
        const std::string fileName = QFileInfo(path).fileName().toStdString();
        database::FileContent content = database::readWholeFile(localPath(path));
        if (content.status == database::ReadStatus::Loaded) {
            readable.push_back({fileName, std::move(content.bytes)});
            unreadable.emplace_back();
        } else {
            const bool gone = content.status == database::ReadStatus::Missing;
            unreadable.emplace_back(
                unreadableItem(fileName, gone ? std::strerror(ENOENT) : content.errorText));
        }
    }
    const std::vector<std::string> names = m_database.recordNames();
    std::vector<database::ImportItem> planned = database::planImport(
        readable, names, m_format, [this](const std::string& name) { return askCollision(name); });

    std::vector<database::ImportItem> items;
    auto next = planned.begin();
    for (auto& slot : unreadable) items.push_back(slot ? std::move(*slot) : std::move(*next++));

    // A file that cannot be written takes the whole import back: nothing was imported.
    const database::DriverDatabase before = m_database;
    const database::FlushResult result = database::applyImport(m_database, items);
    if (result) {
        m_platform.showInfo(this, kImportTitle, qs(database::importSummary(items)));
    } else {
        m_database = before;
        m_platform.showError(this, qs(result.errorText));
    }
    computeRanges();
    refreshDriverList();
}

void DriverListsPage::exportDriverFile() {
    database::DriverRecord record = currentDriver();
    if (!m_panel.actions().driverComplete || record.name.empty()) {
        m_platform.showError(this, QStringLiteral("Only a complete driver can be exported."));
        return;
    }
    std::string& url = record.values[database::recordKeys.size() - 1];
    if (url.empty())
        url = kUrlPlaceholder;  // as a save would store it
    const std::optional<QString> path = m_platform.askSavePath(
        this, qs(database::driverFileName(record.name)), kDriverFileFilter, kDriverFileSuffix);
    if (!path)
        return;
    if (const auto error =
            database::replaceFile(localPath(*path), database::writeDriverFile(record)))
        m_platform.showError(this, qs(*error));
}

}  // namespace sublumo
