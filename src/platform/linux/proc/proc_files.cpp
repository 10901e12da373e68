#include "platform/linux/proc/proc_files.h"

#include <QFile>
#include <QList>
#include <charconv>

namespace platform::procfs {

namespace {

std::optional<std::uint64_t> toNumber(QByteArrayView text) {
    std::uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.isEmpty())
        return std::nullopt;
    return value;
}

// The blank-separated fields of a line.
QList<QByteArrayView> fields(QByteArrayView text) {
    QList<QByteArrayView> out;
    qsizetype i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\n'))
            ++i;
        const qsizetype start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != '\n')
            ++i;
        if (i > start)
            out.push_back(text.sliced(start, i - start));
    }
    return out;
}

} // namespace

std::optional<std::uint64_t> parseStartTime(QByteArrayView stat) {
    const qsizetype close = stat.lastIndexOf(')');
    if (close < 0)
        return std::nullopt;
    // After the name come the fields from 3 (state) on: field 22 is the 20th of them.
    const QList<QByteArrayView> rest = fields(stat.sliced(close + 1));
    if (rest.size() < 20)
        return std::nullopt;
    return toNumber(rest[19]);
}

std::optional<std::uint64_t> readStartTime(const QString& procRoot, ProcessId pid) {
    const auto stat = readSmallFile(QStringLiteral("%1/%2/stat").arg(procRoot).arg(pid));
    return stat ? parseStartTime(*stat) : std::nullopt;
}

std::optional<std::uint64_t> parseResidentPages(QByteArrayView statm) {
    const QList<QByteArrayView> values = fields(statm);
    if (values.size() < 2)
        return std::nullopt;
    return toNumber(values[1]);
}

std::optional<QByteArray> readSmallFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return std::nullopt;
    QByteArray data = file.readAll();
    if (file.error() != QFile::NoError)
        return std::nullopt;
    return data;
}

} // namespace platform::procfs
