#pragma once
// The only file of core-temp that touches POSIX shared memory.

#include <QByteArray>
#include <QString>
#include <cstddef>

namespace coretemp {

// A named POSIX shared-memory object of fixed size that this process alone publishes into. The
// object is write-locked (an open-file-description lock) while open: readers take an object nobody
// holds as stale, and a second publisher of the same name backs off instead of fighting over it.
class ShmBlockWriter {
public:
    enum class OpenResult { Opened, Busy, Failed };

    ShmBlockWriter() = default;
    ShmBlockWriter(const ShmBlockWriter&) = delete;
    ShmBlockWriter& operator=(const ShmBlockWriter&) = delete;
    ~ShmBlockWriter();

    // Creates or reuses `name` (with its leading "/"), sized to `size` bytes.
    OpenResult open(const QString& name, std::size_t size);
    // Replaces the object's contents with `block` (exactly the object's size).
    bool write(const QByteArray& block);
    // Removes the name, so readers see that nobody publishes any more.
    void unlinkObject();

    QString errorText() const { return m_error; }

private:
    void fail(const char* what);

    int m_fd = -1;
    bool m_open = false;
    std::size_t m_size = 0;
    QByteArray m_name;
    QString m_error;
};

} // namespace coretemp
