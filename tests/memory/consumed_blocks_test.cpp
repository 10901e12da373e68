#include "fake_heap.h"
#include "memory/consumed_blocks.h"
#include "memory/system_heap_allocator.h"

#include <QFile>
#include <cstring>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

constexpr std::int64_t MiB = 1048576;
constexpr std::int64_t GiB = 1024 * MiB;

TEST(ConsumedBlocksTest, OneBlockWhenTheHeapGivesItAll) {
    FakeHeap heap;
    ConsumedBlocks blocks(heap);
    std::vector<std::int64_t> progress;
    EXPECT_EQ(blocks.consume(3 * MiB, [&](std::int64_t c) { progress.push_back(c); }), 0);
    EXPECT_EQ(blocks.occupiedCount(), 1);
    EXPECT_EQ(blocks.slot(0).size, 3 * MiB);
    EXPECT_EQ(blocks.held(), 3 * MiB);
    EXPECT_EQ(progress, std::vector<std::int64_t>{3 * MiB});
    EXPECT_EQ(heap.requests, std::vector<std::int64_t>{3 * MiB});
    const auto* bytes = static_cast<const unsigned char*>(blocks.slot(0).address);
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(bytes[3 * MiB - 1], 0);
}

TEST(ConsumedBlocksTest, RefusedRequestsAreHalvedAndTheRestFollows) {
    FakeHeap heap;
    heap.maxBlock = 3 * MiB;
    ConsumedBlocks blocks(heap);
    EXPECT_EQ(blocks.consume(10 * MiB), 0);
    // 10 refused, 5 refused, 2.5 held; 7.5 refused, 3.75 refused, 1.875 held; ...
    EXPECT_EQ(heap.requests[0], 10 * MiB);
    EXPECT_EQ(heap.requests[1], 5 * MiB);
    EXPECT_EQ(heap.requests[2], 5 * MiB / 2);
    EXPECT_EQ(blocks.slot(0).size, 5 * MiB / 2);
    EXPECT_EQ(blocks.held(), 10 * MiB);
    for (int i = 0; i < blocks.occupiedCount(); ++i)
        EXPECT_LE(blocks.slot(i).size, 3 * MiB);
}

TEST(ConsumedBlocksTest, AFailedGibibyteEndsAfterThirtyOneRequestsWithTheWholeShortfall) {
    FakeHeap heap;
    heap.capacity = 0;
    ConsumedBlocks blocks(heap);
    EXPECT_EQ(blocks.consume(GiB), GiB);
    EXPECT_EQ(blocks.lastRequests(), 31); // 2^30 halved down to 1, then 0 ends the search
    EXPECT_EQ(heap.requests.back(), 1);
    EXPECT_EQ(blocks.occupiedCount(), 0);
}

TEST(ConsumedBlocksTest, APartlyFailedConsumptionKeepsWhatItGotAndReportsTheRest) {
    FakeHeap heap;
    heap.capacity = 100 * MiB;
    ConsumedBlocks blocks(heap);
    const std::int64_t shortfall = blocks.consume(GiB);
    EXPECT_EQ(blocks.held(), heap.outstanding);
    EXPECT_EQ(shortfall, GiB - blocks.held());
    EXPECT_GT(blocks.held(), 99 * MiB); // halving leaves less than a few bytes unused
    EXPECT_LT(blocks.lastRequests(), 31 * 32);
}

TEST(ConsumedBlocksTest, ConsumptionStopsSilentlyWhenTheSlotsRunOut) {
    FakeHeap heap;
    heap.maxBlock = 16;
    ConsumedBlocks blocks(heap);
    EXPECT_EQ(blocks.consume(2 * MiB), 0);
    EXPECT_EQ(blocks.occupiedCount(), ConsumedBlocks::kSlots);
    EXPECT_EQ(blocks.held(), heap.outstanding);
    EXPECT_LE(blocks.held(), 16 * ConsumedBlocks::kSlots);
    EXPECT_GT(blocks.held(), 8 * ConsumedBlocks::kSlots);
}

TEST(ConsumedBlocksTest, ReleaseEmptiesEverySlotAndReturnsThePages) {
    FakeHeap heap;
    heap.maxBlock = MiB;
    ConsumedBlocks blocks(heap);
    blocks.consume(2 * MiB); // 2 MiB refused, then two blocks of 1 MiB
    ASSERT_EQ(blocks.occupiedCount(), 2);
    std::vector<std::int64_t> freed;
    blocks.releaseAll([&](std::int64_t f) { freed.push_back(f); });
    EXPECT_EQ(freed, (std::vector<std::int64_t>{MiB, 2 * MiB}));
    EXPECT_EQ(blocks.occupiedCount(), 0);
    EXPECT_EQ(heap.outstanding, 0);
    EXPECT_EQ(heap.releases, 2);
    EXPECT_EQ(heap.trims, 1);
    blocks.releaseAll(); // nothing held: nothing to hand back
    EXPECT_EQ(heap.trims, 1);
}

TEST(ConsumedBlocksTest, ANewConsumptionReleasesLeftoversInsteadOfLosingThem) {
    FakeHeap heap;
    ConsumedBlocks blocks(heap);
    blocks.consume(2 * MiB);
    blocks.consume(MiB);
    EXPECT_EQ(heap.outstanding, MiB);
    EXPECT_EQ(blocks.held(), MiB);
}

TEST(ConsumedBlocksTest, RewriteZeroesEveryBlockAgain) {
    FakeHeap heap;
    heap.maxBlock = MiB;
    ConsumedBlocks blocks(heap);
    blocks.consume(2 * MiB);
    std::memset(blocks.slot(1).address, 0xAB, MiB);
    std::vector<std::int64_t> written;
    blocks.rewrite([&](std::int64_t w) { written.push_back(w); });
    EXPECT_EQ(written, (std::vector<std::int64_t>{MiB, 2 * MiB}));
    const auto* bytes = static_cast<const unsigned char*>(blocks.slot(1).address);
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(bytes[MiB - 1], 0);
}

std::int64_t residentBytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * sysconf(_SC_PAGESIZE) : -1;
}

TEST(ConsumedBlocksTest, RealConsumptionIsResidentAndReleasedAgain) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer keeps freed blocks in quarantine instead of returning them";
#endif
    SystemHeapAllocator heap;
    ConsumedBlocks blocks(heap);
    const std::int64_t before = residentBytes();
    ASSERT_GT(before, 0);
    ASSERT_EQ(blocks.consume(64 * MiB), 0);
    const std::int64_t held = residentBytes();
    EXPECT_GE(held - before, 63 * MiB);
    blocks.releaseAll();
    EXPECT_LE(residentBytes(), held - 63 * MiB);
}

} // namespace
