#pragma once

#include "platform/activity.h"

#include <QByteArrayList>
#include <functional>

namespace platform {

// The systemd journal's copy of the activity log, under SYSLOG_IDENTIFIER=torvane with one field
// per fact (`journalctl --user -t torvane -o verbose` shows them); written to standard error when
// no journal takes it.
class JournalActivity : public ActivitySink {
public:
    // `send` defaults to libsystemd's sd_journal_sendv; it returns 0 or a negative error number.
    using Send = std::function<int(const QByteArrayList& fields)>;
    explicit JournalActivity(Send send = {});

    void write(const ActivityEntry& entry) override;

    // The entry's fields, each "NAME=value".
    static QByteArrayList fields(const ActivityEntry& entry);
    // The one-line message the journal shows for the entry.
    static QString message(const ActivityEntry& entry);

private:
    Send m_send;
};

} // namespace platform
