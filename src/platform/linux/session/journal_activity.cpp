#include "platform/linux/session/journal_activity.h"

#include <cstdio>
#include <sys/uio.h>
// The entries say where they come from in their own fields, not as a source file and line.
#define SD_JOURNAL_SUPPRESS_LOCATION
#include <systemd/sd-journal.h>
#include <vector>

namespace platform {

namespace {

int sendToJournal(const QByteArrayList& fields) {
    std::vector<iovec> parts;
    parts.reserve(fields.size());
    for (const QByteArray& field : fields)
        parts.push_back({const_cast<char*>(field.constData()), static_cast<size_t>(field.size())});
    return sd_journal_sendv(parts.data(), static_cast<int>(parts.size()));
}

} // namespace

JournalActivity::JournalActivity(Send send) : m_send(send ? std::move(send) : Send(sendToJournal)) {}

QString JournalActivity::message(const ActivityEntry& entry) {
    QString text = QStringLiteral("%1 \"%2\"").arg(entry.resultText(), entry.title);
    if (entry.pid != 0)
        text += QStringLiteral(", pid %1").arg(entry.pid);
    if (!entry.executable.isEmpty())
        text += QStringLiteral(" (%1)").arg(entry.executable);
    return text + QStringLiteral(": ") + entry.reason;
}

QByteArrayList JournalActivity::fields(const ActivityEntry& entry) {
    QByteArrayList out{
        "MESSAGE=" + message(entry).toUtf8(),
        // A notice: Torvane acted on the user's behalf, as it was told to.
        "PRIORITY=5",
        "SYSLOG_IDENTIFIER=torvane",
        "TORVANE_TITLE=" + entry.title.toUtf8(),
        "TORVANE_REASON=" + entry.reason.toUtf8(),
        "TORVANE_RESULT=" + entry.resultText().toUtf8(),
        "TORVANE_TIME=" + entry.time.toUTC().toString(Qt::ISODateWithMs).toUtf8(),
    };
    if (entry.pid != 0) {
        out << "TORVANE_PID=" + QByteArray::number(entry.pid);
        // journalctl OBJECT_PID=N finds every entry about one process.
        out << "OBJECT_PID=" + QByteArray::number(entry.pid);
    }
    if (!entry.executable.isEmpty())
        out << "TORVANE_EXECUTABLE=" + entry.executable.toUtf8();
    return out;
}

void JournalActivity::write(const ActivityEntry& entry) {
    if (m_send(fields(entry)) < 0)
        std::fprintf(stderr, "torvane: %s\n", message(entry).toUtf8().constData());
}

} // namespace platform
