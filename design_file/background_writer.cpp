#include "background_writer.h"

#include <utility>

#include "file_access.h"

namespace sublumo::design_file {

BackgroundWriter::BackgroundWriter() : m_thread([this] { run(); }) {}

BackgroundWriter::~BackgroundWriter() {
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void BackgroundWriter::write(std::string path, std::string bytes) {
    {
        const std::lock_guard lock(m_mutex);
        m_waiting = Job{std::move(path), std::move(bytes)};
    }
    m_changed.notify_all();
}

void BackgroundWriter::wait() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_waiting && !m_writing; });
}

std::optional<std::string> BackgroundWriter::takeError() {
    const std::lock_guard lock(m_mutex);
    return std::exchange(m_error, std::nullopt);
}

void BackgroundWriter::run() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_waiting || m_stopping; });
        if (!m_waiting)
            return;  // stopping, and nothing left to write
        Job job = std::move(*m_waiting);
        m_waiting.reset();
        m_writing = true;
        lock.unlock();
        auto error = database::replaceFile(job.path, job.bytes);
        lock.lock();
        m_writing = false;
        if (error)
            m_error = std::move(error);
        m_changed.notify_all();
    }
}

}  // namespace sublumo::design_file
