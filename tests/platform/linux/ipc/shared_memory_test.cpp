#include "platform/linux/ipc/posix_shared_memory.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// A shared-memory object of this test process, removed again at the end of the test. While it is
// published, its descriptor holds the write lock a publisher holds.
class TestObject {
public:
    explicit TestObject(const QByteArray& content, bool published = true) {
        static int counter = 0;
        m_name = QStringLiteral("torvane-test-%1-%2").arg(getpid()).arg(++counter);
        const QByteArray path = "/" + m_name.toUtf8();
        m_fd = shm_open(path.constData(), O_CREAT | O_EXCL | O_RDWR, 0600);
        EXPECT_GE(m_fd, 0);
        EXPECT_EQ(ftruncate(m_fd, content.size()), 0);
        EXPECT_EQ(write(m_fd, content.constData(), content.size()), content.size());
        if (published)
            publish();
    }
    ~TestObject() {
        close(m_fd);
        shm_unlink(("/" + m_name.toUtf8()).constData());
    }
    void publish() {
        struct flock lock {};
        lock.l_type = F_WRLCK;
        EXPECT_EQ(fcntl(m_fd, F_OFD_SETLK, &lock), 0);
    }
    // The publisher ends: its descriptor, and with it the lock, goes.
    void stopPublishing() {
        close(m_fd);
        m_fd = -1;
    }
    const QString& name() const { return m_name; }

private:
    QString m_name;
    int m_fd = -1;
};

QByteArray pattern(int size) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i * 7 + 1);
    return bytes;
}

} // namespace

TEST(PosixSharedMemory, CopiesAtMostWhatExists) {
    const struct {
        const char* name;
        int objectSize;
        int readSize;
    } cases[] = {
        {"longer object", 4096, 2686}, {"exact", 2686, 2686},     {"short", 100, 2686}, {"empty", 0, 2686},
        {"one page + 1", 4097, 8192},  {"nothing asked", 100, 0},
    };
    platform::PosixSharedMemory memory;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray content = pattern(c.objectSize);
        TestObject object(content);
        const auto read = memory.readObject(object.name(), c.readSize);
        ASSERT_TRUE(read);
        EXPECT_EQ(*read, content.left(c.readSize));
    }
}

TEST(PosixSharedMemory, MissingObjectGivesNothing) {
    platform::PosixSharedMemory memory;
    EXPECT_FALSE(memory.readObject(QStringLiteral("torvane-test-missing-%1").arg(getpid()), 2686));
}

TEST(PosixSharedMemory, OnlyALiveObjectOfTheUserIsRead) {
    TestObject object(pattern(64), false);
    platform::PosixSharedMemory memory;
    EXPECT_FALSE(memory.readObject(object.name(), 64)) << "no publisher holds it";
    object.publish();
    EXPECT_TRUE(memory.readObject(object.name(), 64));
    EXPECT_FALSE(platform::PosixSharedMemory(geteuid() + 1).readObject(object.name(), 64)) << "another user's";
    object.stopPublishing();
    EXPECT_FALSE(memory.readObject(object.name(), 64)) << "its publisher is gone";
}

TEST(PosixSharedMemory, EveryReadSeesTheCurrentContent) {
    TestObject object(pattern(64));
    platform::PosixSharedMemory memory;
    const auto before = memory.readObject(object.name(), 64);
    const QByteArray path = "/" + object.name().toUtf8();
    const int fd = shm_open(path.constData(), O_RDWR, 0);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(pwrite(fd, "XY", 2, 10), 2);
    close(fd);
    const auto after = memory.readObject(object.name(), 64);
    ASSERT_TRUE(before && after);
    EXPECT_EQ(after->mid(10, 2), QByteArray("XY"));
    EXPECT_EQ(after->left(10), before->left(10));
}
