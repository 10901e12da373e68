// Encrypting a 100 MB file: the byte-wise literal cipher against the block cipher, with a plain
// block copy of the same file (read, write, flush, rename) as the limit the disk sets. Two
// in-memory runs show what the arithmetic alone allows: the block cipher's transform, and the
// same tables summed exactly (eight extended additions rounded to double) for every byte.
#include "cipher/cipher_file.h"
#include "cipher/cipher_key.h"
#include "cipher/cipher_stream.h"
#include "support/literal_cipher.h"

#include <QByteArray>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr qsizetype kFileSize = 100 * 1024 * 1024;
// Codes as "Randomize" draws them, covering sine, cosine, logarithm, exponential, power and
// integer rows.
const CipherCodes kCodes{77, 85, 113, 137, 154, 42, 63, 128};

QByteArray randomData(qsizetype size) {
    QRandomGenerator random(1);
    QByteArray data(size, '\0');
    random.fillRange(reinterpret_cast<quint32*>(data.data()), size / 4);
    return data;
}

struct Fixture {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("payload.bin"));
    QByteArray data = randomData(kFileSize);

    void writeInput() const {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
            qFatal("cannot write the benchmark file");
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void setBytes(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kFileSize);
}

// The same I/O as the block cipher without the transform.
void plainCopy(const QString& path) {
    const QByteArray in = QFile::encodeName(path);
    const QByteArray out = in + ".enc";
    const int src = ::open(in.constData(), O_RDWR);
    const int dst = ::open(out.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<char> buffer(kCipherBlockSize);
    for (ssize_t got; (got = ::read(src, buffer.data(), buffer.size())) > 0;)
        if (::write(dst, buffer.data(), static_cast<size_t>(got)) != got)
            qFatal("short write");
    ::close(src);
    ::fsync(dst);
    ::close(dst);
    ::rename(out.constData(), in.constData());
}

void BM_PlainCopyFile(benchmark::State& state) {
    fixture().writeInput();
    for (auto _ : state)
        plainCopy(fixture().path);
    setBytes(state);
}

void BM_BlockCipherFile(benchmark::State& state) {
    fixture().writeInput();
    for (auto _ : state) {
        if (cipherFileInPlace(fixture().path, CipherDirection::Encrypt, kCodes, {}) != CipherFileResult::Done)
            qFatal("block cipher failed");
    }
    setBytes(state);
}

void BM_LiteralCipherFile(benchmark::State& state) {
    fixture().writeInput();
    for (auto _ : state) {
        if (!literal::cipherFile(fixture().path, kCodes, true))
            qFatal("literal cipher failed");
    }
    setBytes(state);
}

void BM_BlockCipherInMemory(benchmark::State& state) {
    QByteArray out(kFileSize, '\0');
    for (auto _ : state) {
        CipherStream stream(kCodes, CipherDirection::Encrypt);
        stream.transform(reinterpret_cast<const std::uint8_t*>(fixture().data.constData()),
                         reinterpret_cast<std::uint8_t*>(out.data()), static_cast<std::size_t>(kFileSize));
        benchmark::DoNotOptimize(out.data());
        state.counters["exact_fallbacks"] = static_cast<double>(stream.exactFallbacks());
    }
    setBytes(state);
}

// Tabulated terms, summed for every byte in key order in extended precision with the sum
// rounded to a double after each addition: a chain of eight dependent additions per byte.
void BM_ExactChainInMemory(benchmark::State& state) {
    std::vector<long double> table(8 * 511);
    for (int i = 0; i < 8; ++i)
        for (int w = 0; w <= 510; ++w)
            table[static_cast<std::size_t>(i) * 511 + w] = cipherTerm(kCodes[i], w);
    QByteArray out(kFileSize, '\0');
    const auto* in = reinterpret_cast<const std::uint8_t*>(fixture().data.constData());
    auto* result = reinterpret_cast<std::uint8_t*>(out.data());
    for (auto _ : state) {
        int s[8] = {};
        for (qsizetype n = 0; n < kFileSize; ++n) {
            double sum = 0;
            for (int i = 0; i < 8; ++i)
                sum = static_cast<double>(static_cast<long double>(sum) + table[i * 511 + s[i]]);
            const std::uint8_t y = static_cast<std::uint8_t>(in[n] + (std::llrint(sum) & 0xFF));
            result[n] = y;
            for (int i = 7; i > 0; --i)
                s[i] = s[i - 1];
            s[0] = in[n] + y;
        }
        benchmark::DoNotOptimize(result);
    }
    setBytes(state);
}

} // namespace

BENCHMARK(BM_PlainCopyFile)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_BlockCipherFile)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_LiteralCipherFile)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_BlockCipherInMemory)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_ExactChainInMemory)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

BENCHMARK_MAIN();
