#include "platform/linux/posix_shared_memory.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// A shared-memory object of this test process, removed again at the end of the test.
class TestObject {
public:
    explicit TestObject(const QByteArray& content) {
        static int counter = 0;
        m_name = QStringLiteral("torvane-test-%1-%2").arg(getpid()).arg(++counter);
        const QByteArray path = "/" + m_name.toUtf8();
        const int fd = shm_open(path.constData(), O_CREAT | O_EXCL | O_RDWR, 0600);
        EXPECT_GE(fd, 0);
        EXPECT_EQ(ftruncate(fd, content.size()), 0);
        EXPECT_EQ(write(fd, content.constData(), content.size()), content.size());
        close(fd);
    }
    ~TestObject() { shm_unlink(("/" + m_name.toUtf8()).constData()); }
    const QString& name() const { return m_name; }

private:
    QString m_name;
};

QByteArray pattern(int size) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i * 7 + 1);
    return bytes;
}

} // namespace

TEST(PosixSharedMemory, CopiesWhatExistsAndZeroFillsTheRest) {
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
        ASSERT_EQ(read->size(), c.readSize);
        const int copied = std::min(c.objectSize, c.readSize);
        EXPECT_EQ(read->left(copied), content.left(copied));
        EXPECT_EQ(read->mid(copied), QByteArray(c.readSize - copied, '\0'));
    }
}

TEST(PosixSharedMemory, MissingObjectGivesNothing) {
    platform::PosixSharedMemory memory;
    EXPECT_FALSE(memory.readObject(QStringLiteral("torvane-test-missing-%1").arg(getpid()), 2686));
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
