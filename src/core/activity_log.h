#pragma once

#include "platform/activity.h"

#include <QObject>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

// A title or path as the log shows it: control characters (C0, DEL, C1) and the characters that
// reorder or break a line on screen become visible escapes (\x1b, \u202e), and a backslash is
// doubled, so a logged text cannot forge an entry or hide its own end.
QString escapedForLog(const QString& text);

// One line of the activity file: time, result, pid, executable, reason and title, tab-separated
// (every field is escaped, so a field holds no tab or line break); and back.
QString activityLine(const platform::ActivityEntry& entry);
std::optional<platform::ActivityEntry> parseActivityLine(const QString& line);

// What Torvane did to tasks: every kill, close request, remembered decision and scripted list
// change. Listeners on this thread (the History window, the bus) hear of an entry at once; the
// journal and the file are written by a thread of their own, so a stalled journal or disk never
// delays a kill.
class ActivityLog : public QObject {
    Q_OBJECT

public:
    // The History window shows at most this many entries.
    static constexpr std::size_t kKept = 1000;
    // Entries waiting for a stalled journal or disk beyond this many are dropped, oldest first, so a
    // sink that never returns cannot make the program grow without end.
    static constexpr std::size_t kMaxPending = 10000;

    ActivityLog();
    ~ActivityLog() override;

    // Sinks written by the background thread; add them before the first entry.
    void addSlowSink(platform::ActivitySink& sink);
    // Entries from an earlier run (oldest first), shown before the new ones.
    void seed(const std::vector<platform::ActivityEntry>& earlier);

    // Escapes the entry's texts, stamps it with the time when it has none, and passes it on.
    void record(platform::ActivityEntry entry);
    // Waits until the background thread has written everything recorded so far.
    void flush();

    // Oldest first.
    const std::deque<platform::ActivityEntry>& latest() const { return m_latest; }

signals:
    void recorded(const platform::ActivityEntry& entry);

private:
    void writeLoop();

    std::deque<platform::ActivityEntry> m_latest;
    std::vector<platform::ActivitySink*> m_slowSinks;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<platform::ActivityEntry> m_pending;
    bool m_writing = false;
    bool m_stopping = false;
    std::thread m_writer;
};

// The bounded file beside the lists: entries are appended to `path`; when it would pass
// `maxBytes` it becomes `path.1` (replacing the older one) and a new file is begun, so the log
// never takes more than about twice the bound.
class ActivityFile : public platform::ActivitySink {
public:
    static constexpr qint64 kMaxBytes = 1024 * 1024;

    explicit ActivityFile(QString path, qint64 maxBytes = kMaxBytes);
    void write(const platform::ActivityEntry& entry) override;
    // The latest `count` entries of both files, oldest first; lines that do not parse are skipped.
    std::vector<platform::ActivityEntry> readLatest(std::size_t count) const;

    static QString fileName() { return QStringLiteral("Activity.log"); }

private:
    QString m_path;
    qint64 m_maxBytes;
};
