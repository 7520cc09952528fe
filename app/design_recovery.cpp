#include "design_recovery.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

namespace sublumo {

namespace {

std::unique_ptr<QLockFile> tryLock(const QString& file) {
    auto lock = std::make_unique<QLockFile>(file + QStringLiteral(".lock"));
    // Only a dead holder makes a lock stale: a copy left running for hours keeps its file.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

}  // namespace

DesignRecovery::DesignRecovery(const QString& dataDirectory, StateSource source, QObject* parent)
    : QObject(parent),
      m_directory(QDir(dataDirectory).filePath(QString::fromLatin1(design_file::kRecoveryFolder))),
      m_source(std::move(source)) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(kDelayMs);
    m_longestWait.setSingleShot(true);
    m_longestWait.setInterval(kLongestWaitMs);
    for (QTimer* timer : {&m_timer, &m_longestWait})
        connect(timer, &QTimer::timeout, this, &DesignRecovery::write);
}

bool DesignRecovery::takeOwnFile() {
    if (!QDir().mkpath(m_directory))
        return false;
    // A second window of the same process takes the next free name.
    const qint64 process = QCoreApplication::applicationPid();
    for (int copy = 0; copy < 100; ++copy) {
        const QString name = QString::fromStdString(design_file::recoveryFileName(process, copy));
        const QString path = QDir(m_directory).filePath(name);
        if (m_takenFiles.contains(path))
            continue;
        if ((m_lock = tryLock(path))) {
            m_path = path;
            return true;
        }
    }
    return false;
}

DesignRecovery::~DesignRecovery() {
    finish();
}

void DesignRecovery::noteChange() {
    if (m_finished)
        return;
    m_timer.start();
    if (!m_longestWait.isActive())
        m_longestWait.start();
}

void DesignRecovery::write() {
    m_timer.stop();
    m_longestWait.stop();
    if (!m_lock && !takeOwnFile())
        return;  // no folder or no lock: this copy goes without
    // A failed write leaves the last good file; the next one tries again.
    if (m_writer.takeError())
        m_written.clear();
    auto text = design_file::recoveryFileText(m_source());
    if (!text || *text == m_written)
        return;
    m_written = *text;
    m_writer.write(QFile::encodeName(m_path).toStdString(), std::move(*text));
}

std::optional<design_file::RecoveryState> DesignRecovery::takeLeftover(NumberFormat format) {
    std::vector<design_file::RecoveryCandidate> candidates;
    const QFileInfoList files =
        QDir(m_directory)
            .entryInfoList({QStringLiteral("recovery-*.sublumo")}, QDir::Files, QDir::Time);
    for (const QFileInfo& file : files) {
        const QString path = file.absoluteFilePath();
        if (!design_file::isRecoveryFileName(file.fileName().toStdString()) || path == m_path)
            continue;
        auto lock = tryLock(path);
        candidates.push_back({QFile::encodeName(path).toStdString(), lock == nullptr,
                              file.lastModified().toMSecsSinceEpoch()});
        if (lock) {
            m_takenLocks.push_back(std::move(lock));
            m_takenFiles << path;
        }
    }
    const auto chosen = design_file::chooseRecoveryFile(candidates);
    if (!chosen)
        return std::nullopt;
    auto state = design_file::readRecoveryFile(*chosen, format);
    if (!state)
        discardLeftovers();  // unreadable: nothing to give back
    return state;
}

void DesignRecovery::discardLeftovers() {
    for (const QString& file : m_takenFiles) QFile::remove(file);
    m_takenFiles.clear();
    m_takenLocks.clear();  // each unlocks and removes its lock file
}

void DesignRecovery::finish() {
    m_finished = true;
    m_timer.stop();
    m_longestWait.stop();
    if (!m_lock)
        return;
    m_writer.wait();  // a write under way would bring the file back
    QFile::remove(m_path);
    m_lock.reset();
}

}  // namespace sublumo
