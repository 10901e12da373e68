#include "platform/linux/proc/proc_memory_info.h"

#include "platform/linux/proc/proc_files.h"

#include <QList>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>

namespace platform {

namespace {

// "Name:   1234 kB" lines, as bytes; lines without a number are left out.
std::map<QByteArray, std::uint64_t> kibibyteLines(QByteArrayView text) {
    std::map<QByteArray, std::uint64_t> values;
    for (QByteArrayView line : QByteArray::fromRawData(text.data(), text.size()).split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        QByteArrayView rest = line.sliced(colon + 1).trimmed();
        std::uint64_t value = 0;
        const auto [ptr, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
        if (ec != std::errc())
            continue;
        const bool kib = QByteArrayView(ptr, rest.data() + rest.size()).trimmed() == "kB";
        values[line.first(colon).toByteArray()] = kib ? value * 1024 : value;
    }
    return values;
}

} // namespace

ProcMemoryInfo::ProcMemoryInfo(QString procRoot) : m_procRoot(std::move(procRoot)) {}

std::uint64_t ProcMemoryInfo::addressSpaceSize() {
#if defined(__x86_64__)
    return std::uint64_t(1) << 47;
#elif defined(__aarch64__)
    return std::uint64_t(1) << 48;
#else
    return sizeof(void*) == 8 ? std::uint64_t(1) << 47 : std::uint64_t(3) << 30;
#endif
}

MemoryStatus ProcMemoryInfo::fromTexts(QByteArrayView meminfo, QByteArrayView selfStatus) {
    const auto values = kibibyteLines(meminfo);
    auto value = [&values](const char* name) {
        const auto it = values.find(QByteArray(name));
        return it == values.end() ? std::uint64_t(0) : it->second;
    };
    MemoryStatus status;
    status.totalPhys = value("MemTotal");
    // Kernels before 3.14 have no MemAvailable; free plus page cache is the old estimate.
    status.availPhys =
        values.count("MemAvailable") ? value("MemAvailable") : value("MemFree") + value("Buffers") + value("Cached");
    status.availPhys = std::min(status.availPhys, status.totalPhys);
    status.totalPageFile = status.totalPhys + value("SwapTotal");
    status.availPageFile = status.availPhys + std::min(value("SwapFree"), value("SwapTotal"));
    if (status.totalPhys > 0)
        status.memoryLoad = static_cast<std::uint32_t>(
            std::nearbyint(double(status.totalPhys - status.availPhys) * 100.0 / double(status.totalPhys)));

    status.totalVirtual = addressSpaceSize();
    const auto self = kibibyteLines(selfStatus);
    const auto vmSize = self.find(QByteArray("VmSize"));
    const std::uint64_t used = vmSize == self.end() ? 0 : vmSize->second;
    status.availVirtual = used < status.totalVirtual ? status.totalVirtual - used : 0;
    return status;
}

MemoryStatus ProcMemoryInfo::globalMemoryStatus() {
    const auto meminfo = procfs::readSmallFile(m_procRoot + QStringLiteral("/meminfo"));
    const auto self = procfs::readSmallFile(m_procRoot + QStringLiteral("/self/status"));
    return fromTexts(meminfo.value_or(QByteArray()), self.value_or(QByteArray()));
}

} // namespace platform
