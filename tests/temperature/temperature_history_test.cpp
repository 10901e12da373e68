#include "platform/fake/fake_platform.h"
#include "temperature/core_temp_block.h"
#include "temperature/core_temp_reader.h"
#include "temperature/temperature_history.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

using coretemp::CoreReadings;

CoreReadings readings(std::initializer_list<float> values) {
    CoreReadings r{};
    std::copy(values.begin(), values.end(), r.begin());
    return r;
}

class TemperatureReaderTest : public ::testing::Test {
protected:
    QString objectName() const { return coretemp::userObjectName(fake.userId()); }
    void publish(const CoreReadings& r) { fake.sharedObjects[objectName()] = coretemp::blockFromReadings(r); }
    void stopMonitor() { fake.sharedObjects.erase(objectName()); }
    std::int32_t tick() { return sampleTemperatureTick(history, fake); }

    platform::fake::FakePlatform fake;
    TemperatureHistory history;
};

TEST_F(TemperatureReaderTest, NoObjectRecordsNothingButAdvances) {
    QByteArray buffer("stale");
    EXPECT_FALSE(ReadCoreTempBlock(fake, buffer));
    EXPECT_EQ(buffer, QByteArray(coretemp::kBlockSize, '\0'));

    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(tick(), 0);
    EXPECT_EQ(history.TempIndex(), 5);
    EXPECT_EQ(history.PeakTemp(), 0.0f);
    for (int slot = 1; slot <= TemperatureHistory::kSlots; ++slot) {
        EXPECT_EQ(history.AverageTemp(slot), 0.0f);
        EXPECT_EQ(history.BiggestTemp(slot), 0.0f);
        for (int core = 1; core <= TemperatureHistory::kCores; ++core)
            EXPECT_EQ(history.CoreTemp(core, slot), 0.0f);
    }
}

TEST_F(TemperatureReaderTest, AverageAndBiggestOfOneSample) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        CoreReadings in;
        float average;
        float biggest;
    } cases[] = {
        {readings({40, 0, 50}), 45.0f, 50.0f},
        {readings({50, 52, 54, 56}), 53.0f, 56.0f},
        {readings({40, 41, 46}), 127.0f / 3.0f, 46.0f},
        {readings({}), 0.0f, 0.0f},
        {readings({0, 0, 0, 0, 0, 0, 0, 61.5f}), 61.5f, 61.5f},
        {readings({-5}), -5.0f, 0.0f}, // the running biggest starts at 0
        {readings({nan, 40}), 40.0f, 40.0f},
        {readings({inf, 30, -inf}), 30.0f, 30.0f},
        {readings({150, -40}), 55.0f, 150.0f}, // the plausible range's ends
        {readings({150.01f, -40.01f, 20}), 20.0f, 20.0f},
    };
    for (const auto& c : cases) {
        TemperatureHistory h;
        h.addSample(c.in);
        EXPECT_EQ(h.AverageTemp(1), c.average) << c.in[0] << " " << c.in[1];
        EXPECT_EQ(h.BiggestTemp(1), c.biggest) << c.in[0] << " " << c.in[1];
    }
}

TEST_F(TemperatureReaderTest, FourCoresLeaveTheOtherSeriesZero) {
    publish(readings({50, 52, 54, 56}));
    tick();
    EXPECT_EQ(history.TempIndex(), 1);
    EXPECT_EQ(history.CoreTemp(1, 1), 50.0f);
    EXPECT_EQ(history.CoreTemp(4, 1), 56.0f);
    for (int core = 5; core <= 8; ++core)
        EXPECT_EQ(history.CoreTemp(core, 1), 0.0f);
    EXPECT_EQ(history.newestAverage(), 53.0f);
}

TEST_F(TemperatureReaderTest, RingWrapsAfter200) {
    for (int i = 1; i <= 200; ++i) {
        publish(readings({static_cast<float>(i) / 2}));
        tick();
    }
    EXPECT_EQ(history.TempIndex(), 200);
    EXPECT_EQ(history.BiggestTemp(200), 100.0f);
    publish(readings({7}));
    tick();
    EXPECT_EQ(history.TempIndex(), 1);
    EXPECT_EQ(history.BiggestTemp(1), 7.0f);
    EXPECT_EQ(history.previousBiggest(), 100.0f);
    EXPECT_EQ(history.BiggestTemp(2), 1.0f);
}

TEST_F(TemperatureReaderTest, ZeroCoreKeepsTheValueFrom200SamplesEarlier) {
    publish(readings({40, 50}));
    tick();
    publish(readings({41}));
    for (int i = 0; i < 200; ++i)
        tick();
    EXPECT_EQ(history.TempIndex(), 1);
    EXPECT_EQ(history.CoreTemp(1, 1), 41.0f);
    EXPECT_EQ(history.CoreTemp(2, 1), 50.0f);
    EXPECT_EQ(history.newestBiggest(), 41.0f); // the kept value takes no part in the sample
}

TEST_F(TemperatureReaderTest, MonitorStoppingDropsSeriesButKeepsCores) {
    publish(readings({40, 50}));
    tick();
    tick();
    stopMonitor();
    EXPECT_EQ(tick(), 0);
    EXPECT_EQ(history.TempIndex(), 3);
    EXPECT_EQ(history.newestAverage(), 0.0f);
    EXPECT_EQ(history.newestBiggest(), 0.0f);
    EXPECT_EQ(history.previousBiggest(), 50.0f);
    EXPECT_EQ(history.CoreTemp(2, 2), 50.0f);
    EXPECT_EQ(history.PeakTemp(), 50.0f);
}

TEST_F(TemperatureReaderTest, PeakOnlyGrows) {
    const float biggest[] = {40, 60, 55, 0, 61, 30};
    const float peaks[] = {40, 60, 60, 60, 61, 61};
    for (int i = 0; i < 6; ++i) {
        publish(readings({biggest[i]}));
        tick();
        EXPECT_EQ(history.PeakTemp(), peaks[i]) << i;
    }
}

TEST_F(TemperatureReaderTest, CurrentTempRoundsHalvesToEven) {
    const struct {
        float biggest;
        int current;
    } cases[] = {{45.5f, 46}, {44.5f, 44}, {45.4f, 45}, {45.6f, 46}, {0.5f, 0}, {1.5f, 2}, {0.0f, 0}};
    for (const auto& c : cases) {
        publish(readings({c.biggest}));
        EXPECT_EQ(tick(), c.current) << c.biggest;
        EXPECT_EQ(history.CurrentTemp(), c.current) << c.biggest;
    }
}

TEST(RoundHalfEven, SaturatesInsteadOfOverflowing) {
    EXPECT_EQ(roundHalfEven(std::nan("")), 0);
    EXPECT_EQ(roundHalfEven(1e30), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(roundHalfEven(-1e30), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(roundHalfEven(-2.5), -2);
}

TEST_F(TemperatureReaderTest, OwnObjectComesBeforeTheOldSharedName) {
    fake.sharedObjects[QStringLiteral("CoreTempMappingObject")] = coretemp::blockFromReadings(readings({40}));
    fake.sharedObjects[QStringLiteral("CoreTempMappingObject.1001")] = coretemp::blockFromReadings(readings({42}));
    tick();
    EXPECT_EQ(history.newestBiggest(), 40.0f) << "the old name is still read, another user's object is not";
    fake.sharedObjects[QStringLiteral("CoreTempMappingObject.1000")] = coretemp::blockFromReadings(readings({41}));
    tick();
    EXPECT_EQ(history.newestBiggest(), 41.0f);
}

TEST_F(TemperatureReaderTest, TruncatedObjectIsNoReading) {
    const QByteArray full = coretemp::blockFromReadings(readings({40, 42, 44, 46}));
    const int lengths[] = {2685, 1552 /* cores 1 and 2 whole */, 1548 /* core 1 whole */, 100, 0};
    for (const int length : lengths) {
        fake.sharedObjects[objectName()] = full.left(length);
        QByteArray buffer("stale");
        EXPECT_FALSE(ReadCoreTempBlock(fake, buffer)) << length;
        EXPECT_EQ(buffer, QByteArray(coretemp::kBlockSize, '\0'));
        tick();
        EXPECT_FALSE(history.newestHasReading()) << length;
        EXPECT_EQ(history.newestBiggest(), 0.0f) << length;
    }
}

// A service that does not honour the requested size must not make the reader overrun or misread.
class WrongSizeMemory : public platform::SharedMemory {
public:
    explicit WrongSizeMemory(QByteArray bytes) : m_bytes(std::move(bytes)) {}
    std::optional<QByteArray> readObject(const QString&, int) override { return m_bytes; }
    uint userId() const override { return 1000; }

private:
    QByteArray m_bytes;
};

TEST(CoreTempBlock, ReaderCopesWithAServiceIgnoringTheSize) {
    QByteArray longer = coretemp::blockFromReadings(readings({40, 50}));
    longer.append(QByteArray(500, '\x7f'));
    WrongSizeMemory longMemory(longer);
    QByteArray buffer;
    ASSERT_TRUE(ReadCoreTempBlock(longMemory, buffer));
    EXPECT_EQ(buffer, longer.left(coretemp::kBlockSize));

    WrongSizeMemory shortMemory(coretemp::blockFromReadings(readings({40, 50})).left(1547));
    EXPECT_EQ(readCoreTemps(shortMemory), std::nullopt);
}

TEST(CoreTempBlock, TemperaturesAreLittleEndianFloatsFrom1544) {
    const QByteArray block = coretemp::blockFromReadings(readings({45.0f, 0, 0, 0, 0, 0, 0, -1.0f}));
    ASSERT_EQ(block.size(), 2686);
    EXPECT_EQ(block.mid(1544, 4), QByteArray::fromHex("00003442"));
    EXPECT_EQ(block.mid(1572, 4), QByteArray::fromHex("000080bf"));
    EXPECT_EQ(block.count('\0'), 2686 - 4); // nothing but the two values' high bytes
    EXPECT_EQ(coretemp::readingsFromBlock(block)[7], -1.0f);
}

} // namespace
