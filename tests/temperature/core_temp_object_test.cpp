// Hostile shared objects, under a private name, against the real POSIX backend.

#include "platform/linux/ipc/posix_shared_memory.h"
#include "temperature/core_temp_reader.h"
#include "temperature/temperature_history.h"

#include <atomic>
#include <cmath>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

TEST(CoreTempObject, HostileObjectsGiveNoReadingAndNeverCrash) {
    enum Shape { Object, Shrinking, Fifo };
    const struct {
        const char* name;
        Shape shape;
        float value; // on every core
        int length;
        float biggest; // 0: no reading
    } cases[] = {
        {"plausible", Object, 45, coretemp::kBlockSize, 45},
        {"huge", Object, 1e6f, coretemp::kBlockSize, 0},
        {"NaN", Object, NAN, coretemp::kBlockSize, 0},
        {"infinite", Object, INFINITY, coretemp::kBlockSize, 0},
        {"negative beyond range", Object, -41, coretemp::kBlockSize, 0},
        {"short", Object, 45, 1560, 0},
        {"shrinks while read", Shrinking, 1e6f, coretemp::kBlockSize, 0},
        {"a FIFO in its place", Fifo, 45, 0, 0},
    };
    const QByteArray path = "/torvane-test-hostile-" + QByteArray::number(getpid());
    qputenv("TORVANE_CORE_TEMP_OBJECT", path.mid(1));
    platform::PosixSharedMemory memory;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        shm_unlink(path.constData());
        coretemp::CoreReadings readings;
        readings.fill(c.value);
        const QByteArray block = coretemp::blockFromReadings(readings).left(c.length);
        const int fd = c.shape == Fifo ? -1 : shm_open(path.constData(), O_CREAT | O_EXCL | O_RDWR, 0600);
        struct flock lock {};
        lock.l_type = F_WRLCK; // as a live publisher holds it
        ASSERT_TRUE(c.shape == Fifo ? mkfifo(("/dev/shm" + path).constData(), 0600) == 0
                                    : pwrite(fd, block.data(), block.size(), 0) == block.size() &&
                                          fcntl(fd, F_OFD_SETLK, &lock) == 0);
        std::atomic<bool> reading{true};
        std::thread shrinker([&] {
            for (bool empty = true; c.shape == Shrinking && reading; empty = !empty)
                (void)!ftruncate(fd, empty ? 0 : coretemp::kBlockSize);
        });
        TemperatureHistory history;
        for (int i = 0; i < (c.shape == Shrinking ? 20000 : 1); ++i) {
            sampleTemperatureTick(history, memory);
            EXPECT_EQ(history.newestBiggest(), c.biggest);
            EXPECT_EQ(history.newestHasReading(), c.biggest != 0);
            if (HasFailure())
                break;
        }
        reading = false;
        shrinker.join();
        close(fd);
    }
    shm_unlink(path.constData());
    qunsetenv("TORVANE_CORE_TEMP_OBJECT");
}
