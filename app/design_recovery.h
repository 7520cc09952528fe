#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "background_writer.h"
#include "number_text.h"
#include "recovery.h"

class QLockFile;

namespace sublumo {

// Keeps the working state in a recovery file of this copy's own in the data directory, a
// moment after each change, and removes it at a normal end. A lock held while the copy runs
// tells the next start which files belong to copies that did not close properly.
class DesignRecovery : public QObject {
    Q_OBJECT
public:
    // A pause in the typing this long writes the file; steady typing writes it at the latest
    // kLongestWaitMs after the first change not yet kept, so that what was typed a second
    // before a crash is always on the disk.
    static constexpr int kDelayMs = 250;
    static constexpr int kLongestWaitMs = 500;
    using StateSource = std::function<design_file::RecoveryState()>;

    // `dataDirectory` gets a folder for the files at the first write, not before: a start
    // without a change writes nothing.
    DesignRecovery(const QString& dataDirectory, StateSource source, QObject* parent = nullptr);
    ~DesignRecovery() override;  // a normal end: nothing left to offer

    // Restarts the wait: the file is written once the user pauses (or has typed on for
    // kLongestWaitMs), never within a keystroke.
    void noteChange();
    // The state of the newest file no running copy holds, taken over from its lock; every
    // such file goes at discardLeftovers().
    std::optional<design_file::RecoveryState> takeLeftover(NumberFormat format);
    void discardLeftovers();
    // A normal shut-down: the file and its lock go.
    void finish();
    // Empty until the first write.
    QString filePath() const { return m_path; }

private:
    void write();
    bool takeOwnFile();

    QString m_directory;
    StateSource m_source;
    QTimer m_timer;
    QTimer m_longestWait;
    std::unique_ptr<QLockFile> m_lock;
    QString m_path;
    bool m_finished = false;
    std::string m_written;  // the last text written, so that an unchanged state is not
    // The disk's wait is the writer's thread's, never the window's.
    design_file::BackgroundWriter m_writer;
    std::vector<std::unique_ptr<QLockFile>> m_takenLocks;
    QStringList m_takenFiles;
};

}  // namespace sublumo
