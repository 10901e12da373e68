#pragma once

#include "platform/types.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

// Readers of the per-process files of procfs. `procRoot` is the procfs mount ("/proc" normally).
namespace platform::procfs {

// Field 22 of /proc/PID/stat (start time in clock ticks after boot). The command name in field 2 may
// hold blanks and parentheses, so the fields are counted from the last ')'.
std::optional<std::uint64_t> parseStartTime(QByteArrayView stat);
std::optional<std::uint64_t> readStartTime(const QString& procRoot, ProcessId pid);

// The resident page count, the second field of /proc/PID/statm.
std::optional<std::uint64_t> parseResidentPages(QByteArrayView statm);

// The whole of a small procfs file (their sizes read as 0, so they are read to the end); nothing
// when it cannot be opened.
std::optional<QByteArray> readSmallFile(const QString& path);

} // namespace platform::procfs
