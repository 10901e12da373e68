#include "core/activity_log.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>

using platform::ActivityEntry;
using platform::ActivityResult;

namespace {

// Characters that move or hide text on a terminal or a screen: marks that reorder a line, and
// separators that break it.
bool reordersOrBreaks(char16_t c) {
    return (c >= 0x200e && c <= 0x200f) || (c >= 0x2028 && c <= 0x202e) || (c >= 0x2066 && c <= 0x2069) || c == 0xfeff;
}

} // namespace

QString escapedForLog(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c < 0x20 || (c >= 0x7f && c < 0xa0))
            out += QStringLiteral("\\x%1").arg(static_cast<unsigned>(c), 2, 16, QLatin1Char('0'));
        else if (reordersOrBreaks(c))
            out += QStringLiteral("\\u%1").arg(static_cast<unsigned>(c), 4, 16, QLatin1Char('0'));
        else
            out += qc;
    }
    return out;
}

QString activityLine(const ActivityEntry& entry) {
    return QStringList{entry.time.toUTC().toString(Qt::ISODateWithMs),
                       entry.resultText(),
                       QString::number(entry.pid),
                       entry.executable,
                       entry.reason,
                       entry.title}
        .join(QLatin1Char('\t'));
}

std::optional<ActivityEntry> parseActivityLine(const QString& line) {
    const QStringList fields = line.split(QLatin1Char('\t'));
    if (fields.size() != 6)
        return std::nullopt;
    ActivityEntry entry;
    entry.time = QDateTime::fromString(fields[0], Qt::ISODateWithMs);
    bool pidRead = false;
    entry.pid = fields[2].toUInt(&pidRead);
    if (!entry.time.isValid() || !pidRead)
        return std::nullopt;
    entry.executable = fields[3];
    entry.reason = fields[4];
    entry.title = fields[5];
    // The file holds the result's text; each kind's text without a decision gives the kind back
    // (those that carry a decision end in ": ").
    for (const ActivityResult result :
         {ActivityResult::Ended, ActivityResult::CloseRequestOnly, ActivityResult::AlreadyGone,
          ActivityResult::RefusedOwnTask, ActivityResult::Remembered, ActivityResult::ListChanged}) {
        entry.result = result;
        const QString prefix = ActivityEntry{.result = result}.resultText();
        const bool withDecision = prefix.endsWith(QStringLiteral(": "));
        if (withDecision ? fields[1].startsWith(prefix) : fields[1] == prefix) {
            if (withDecision)
                entry.decision = fields[1].mid(prefix.size());
            return entry;
        }
    }
    return std::nullopt;
}

ActivityLog::ActivityLog() : m_writer([this] { writeLoop(); }) {}

ActivityLog::~ActivityLog() {
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    m_writer.join();
}

void ActivityLog::addSlowSink(platform::ActivitySink& sink) {
    const std::lock_guard lock(m_mutex);
    m_slowSinks.push_back(&sink);
}

void ActivityLog::seed(const std::vector<ActivityEntry>& earlier) {
    m_latest.insert(m_latest.begin(), earlier.begin(), earlier.end());
    while (m_latest.size() > kKept)
        m_latest.pop_front();
}

void ActivityLog::record(ActivityEntry entry) {
    if (!entry.time.isValid())
        entry.time = QDateTime::currentDateTime();
    entry.title = escapedForLog(entry.title);
    entry.executable = escapedForLog(entry.executable);
    entry.reason = escapedForLog(entry.reason);
    entry.decision = escapedForLog(entry.decision);
    m_latest.push_back(entry);
    if (m_latest.size() > kKept)
        m_latest.pop_front();
    {
        const std::lock_guard lock(m_mutex);
        m_pending.push_back(entry);
        if (m_pending.size() > kMaxPending)
            m_pending.pop_front();
    }
    m_wake.notify_one();
    emit recorded(entry);
}

void ActivityLog::flush() {
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_pending.empty() && !m_writing; });
}

void ActivityLog::writeLoop() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_pending.empty(); });
        if (m_pending.empty())
            return; // stopping, and everything is written
        const ActivityEntry entry = std::move(m_pending.front());
        m_pending.pop_front();
        const std::vector<platform::ActivitySink*> sinks = m_slowSinks;
        m_writing = true;
        lock.unlock();
        for (platform::ActivitySink* sink : sinks)
            sink->write(entry);
        lock.lock();
        m_writing = false;
        if (m_pending.empty())
            m_idle.notify_all();
    }
}

ActivityFile::ActivityFile(QString path, qint64 maxBytes) : m_path(std::move(path)), m_maxBytes(maxBytes) {}

void ActivityFile::write(const ActivityEntry& entry) {
    const QByteArray line = activityLine(entry).toUtf8() + '\n';
    const QFileInfo current(m_path);
    if (current.exists() && current.size() + line.size() > m_maxBytes) {
        // rename() replaces the older file in one step.
        if (std::rename(QFile::encodeName(m_path).constData(),
                        QFile::encodeName(m_path + QStringLiteral(".1")).constData()) != 0)
            return; // a log that cannot turn over is not allowed to grow past its bound
    }
    QFile file(m_path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append))
        file.write(line);
}

std::vector<ActivityEntry> ActivityFile::readLatest(std::size_t count) const {
    std::vector<ActivityEntry> entries;
    for (const QString& path : {m_path + QStringLiteral(".1"), m_path}) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        while (!file.atEnd()) {
            QByteArray line = file.readLine();
            if (!line.endsWith('\n'))
                break; // cut short by a crash while it was written
            line.chop(1);
            if (auto entry = parseActivityLine(QString::fromUtf8(line)))
                entries.push_back(std::move(*entry));
        }
    }
    if (entries.size() > count)
        entries.erase(entries.begin(), entries.end() - static_cast<std::ptrdiff_t>(count));
    return entries;
}
