#pragma once

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace sublumo::design_file {

// Writes a file on a thread of its own, as database::replaceFile does (beside it, flushed,
// renamed over it), so that the caller never waits for the disk. Only the newest text counts:
// one that a newer one overtakes before its turn is never written.
class BackgroundWriter {
public:
    BackgroundWriter();
    ~BackgroundWriter();  // finishes the write under way and any waiting one
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    void write(std::string path, std::string bytes);
    // Returns once nothing is waiting or being written: the file is then what was asked last.
    void wait();
    // The system's error text of the last failed write since the last call, and clears it.
    std::optional<std::string> takeError();

private:
    struct Job {
        std::string path;
        std::string bytes;
    };
    void run();

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::optional<Job> m_waiting;
    bool m_writing = false;
    bool m_stopping = false;
    std::optional<std::string> m_error;
    std::thread m_thread;  // last: started once everything above exists
};

}  // namespace sublumo::design_file
