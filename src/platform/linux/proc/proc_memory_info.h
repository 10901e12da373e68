#pragma once

#include "platform/memory_status.h"

#include <QByteArrayView>
#include <QString>

namespace platform {

// The global memory status from /proc/meminfo and this process's /proc/self/status.
class ProcMemoryInfo : public MemoryInfo {
public:
    explicit ProcMemoryInfo(QString procRoot = QStringLiteral("/proc"));
    MemoryStatus globalMemoryStatus() override;

    // The status from the two files' texts (either may be empty when unreadable).
    static MemoryStatus fromTexts(QByteArrayView meminfo, QByteArrayView selfStatus);
    // The size of a process's address space on this machine.
    static std::uint64_t addressSpaceSize();

private:
    QString m_procRoot;
};

} // namespace platform
