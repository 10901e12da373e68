#pragma once

#include "platform/platform.h"

#include <QColor>
#include <QList>
#include <QString>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

class QWidget;

namespace platform::fake {

// One window of the fake desktop.
struct FakeWindow {
    WindowHandle handle = 0;
    QString title;
    bool visible = true;
    ProcessId pid = 0;
    bool closeRequested = false;
};

struct RecordedBox {
    QWidget* owner = nullptr;
    QString title;
    QString text;
    unsigned flags = 0;
    int answer = 0;
};

// An in-memory desktop and a scriptable set of dialogs: every controller runs against it in tests.
class FakePlatform : public WindowSystem,
                     public Processes,
                     public MemoryInfo,
                     public SharedMemory,
                     public Network,
                     public SystemActions,
                     public Shell,
                     public Dialogs,
                     public HotKey {
public:
    FakePlatform();

    Platform& platform() { return m_platform; }

    // --- the desktop -------------------------------------------------------------------------
    // Opens a window on top of the stacking order and returns its handle.
    WindowHandle addWindow(const QString& title, bool visible = true, ProcessId pid = 0);
    void removeWindow(WindowHandle window);
    void setTitle(WindowHandle window, const QString& title);
    void setVisible(WindowHandle window, bool visible);
    void raiseWindow(WindowHandle window);
    // The window's id passes to another process, as an X server hands a freed id to a new client.
    void giveWindowTo(WindowHandle window, ProcessId pid);
    bool hasWindow(WindowHandle window) const;
    const FakeWindow* window(WindowHandle window) const;
    // Top of the stacking order first.
    const std::vector<FakeWindow>& windows() const { return m_windows; }
    // Reports the windows to the watcher, as the window system does when they appear or change.
    void announceWindows(const std::vector<WindowHandle>& handles);
    bool watched() const { return static_cast<bool>(m_watcher); }
    // When on, a close request removes the window at once, as a cooperative program would.
    void setCloseRemovesWindow(bool on) { m_closeRemovesWindow = on; }

    // --- processes ---------------------------------------------------------------------------
    void setWorkingSet(ProcessId pid, std::uint64_t bytes) { m_workingSets[pid] = bytes; }
    // The process holding `pid` ends and a new one takes the id: the windows stay as they are, but
    // an identity taken before no longer matches.
    void reusePid(ProcessId pid) { ++m_startTimes[pid]; }
    // This program's own process id.
    ProcessId ownPid;
    // Killing a process removes all its windows.
    const std::vector<ProcessId>& terminatedProcesses() const { return m_terminated; }
    const std::vector<WindowHandle>& closeRequests() const { return m_closeRequests; }

    // --- memory, shared memory, network, system, shell ----------------------------------------
    MemoryStatus memoryStatus;
    std::map<QString, QByteArray> sharedObjects;
    uint sharedMemoryUser = 1000;
    std::uint32_t connectionFlags = 0;
    std::map<QString, QString> pages; // url -> body; a missing url fails
    QString httpError;                // when set, every GET fails with it
    QStringList requestedUrls;
    // A GET stays open until answered; it then gets what `pages` and `httpError` say at that
    // moment. Returns how many completions ran; a dropped request gets none.
    int answerHttpRequests();
    int openHttpRequests() const;
    QString systemActionError; // returned by exitWindows
    std::vector<std::uint32_t> systemActionCalls;
    QStringList startedFiles;

    // --- dialogs -----------------------------------------------------------------------------
    // Answers given to the next boxes, in order; when none is queued a box answers
    // `defaultAnswer` (or IDOK for a box without a question).
    void queueAnswer(int answer) { m_answers.push_back(answer); }
    int defaultAnswer = IdYes;
    const QList<RecordedBox>& boxes() const { return m_boxes; }
    void clearBoxes() { m_boxes.clear(); }
    // Runs while a box is "open", as the nested event loop of a real box would run timers.
    std::function<void(const RecordedBox&)> onBox;

    std::deque<std::optional<QString>> openFileAnswers;
    std::deque<std::optional<QString>> saveFileAnswers;
    std::deque<std::optional<QColor>> colorAnswers;
    QStringList fileDialogTitles;
    QStringList fileDialogFilters;
    QStringList fileDialogDirs;

    bool hotKeyRegistered() const { return static_cast<bool>(m_hotKeyHandler); }
    void pressHotKey();

    // --- the services ------------------------------------------------------------------------
    std::vector<WindowInfo> topLevelWindows() override;
    ProcessId windowProcessId(WindowHandle window) override;
    void postCloseMessage(WindowHandle window) override;
    void watchWindows(WindowsChanged changed) override { m_watcher = std::move(changed); }
    std::optional<ProcessIdentity> identify(ProcessId pid) override;
    bool terminateProcess(const ProcessIdentity& process) override;
    ProcessId currentProcessId() override { return ownPid; }
    std::uint64_t workingSetBytes(ProcessId pid) override;
    QString executablePath(ProcessId pid) override {
        return pid == 0 ? QString() : QStringLiteral("/usr/bin/program-%1").arg(pid);
    }
    MemoryStatus globalMemoryStatus() override { return memoryStatus; }
    std::optional<QByteArray> readObject(const QString& name, int size) override;
    uint userId() const override { return sharedMemoryUser; }
    std::uint32_t connectionState() override { return connectionFlags; }
    std::unique_ptr<HttpRequest> startHttpGet(const QString& url, HttpDone done) override;
    QString exitWindows(std::uint32_t flags) override;
    void startFile(const QString& path) override { startedFiles << path; }
    int messageBox(QWidget* owner, const QString& text, const QString& title, unsigned flags) override;
    std::optional<QString> openFileName(QWidget* owner, const QString& title, const QString& filter,
                                        const QString& initialDir) override;
    std::optional<QString> saveFileName(QWidget* owner, const QString& title, const QString& filter,
                                        const QString& initialDir) override;
    std::optional<QColor> chooseColor(QWidget* owner, const QColor& initial) override;
    bool registerHotKey(std::function<void()> pressed) override;
    void unregisterHotKey() override { m_hotKeyHandler = nullptr; }

private:
    FakeWindow* find(WindowHandle window);

    Platform m_platform;
    std::vector<FakeWindow> m_windows;
    WindowHandle m_nextHandle = 0x1000;
    bool m_closeRemovesWindow = false;
    WindowsChanged m_watcher;
    std::map<ProcessId, std::uint64_t> m_workingSets;
    std::map<ProcessId, std::uint64_t> m_startTimes; // absent: 0
    std::vector<ProcessId> m_terminated;
    std::vector<WindowHandle> m_closeRequests;
    std::deque<int> m_answers;
    QList<RecordedBox> m_boxes;
    std::function<void()> m_hotKeyHandler;
    // The open GETs: the url and the completion, cleared when the caller drops its request.
    std::vector<std::shared_ptr<std::pair<QString, HttpDone>>> m_openGets;
};

} // namespace platform::fake
