#include "platform/fake/fake_platform.h"

#include "platform/torvane_error.h"

#include <QCoreApplication>
#include <algorithm>

namespace platform::fake {

namespace {
template <typename T> std::optional<T> takeFront(std::deque<std::optional<T>>& queue) {
    const bool has = queue.front().has_value();
    T value = has ? *queue.front() : T();
    queue.pop_front();
    if (!has)
        return std::nullopt;
    return value;
}
} // namespace

FakePlatform::FakePlatform()
    : ownPid(static_cast<ProcessId>(QCoreApplication::applicationPid())), m_platform{*this, *this, *this, *this, *this,
                                                                                     *this, *this, *this, *this} {}

WindowHandle FakePlatform::addWindow(const QString& title, bool visible, ProcessId pid) {
    const WindowHandle handle = m_nextHandle;
    m_nextHandle += 0x10;
    m_windows.insert(m_windows.begin(), FakeWindow{handle, title, visible, pid, false});
    return handle;
}

void FakePlatform::removeWindow(WindowHandle window) {
    std::erase_if(m_windows, [window](const FakeWindow& w) { return w.handle == window; });
}

void FakePlatform::giveWindowTo(WindowHandle window, ProcessId pid) {
    if (FakeWindow* w = find(window))
        w->pid = pid;
}

FakeWindow* FakePlatform::find(WindowHandle window) {
    auto it =
        std::find_if(m_windows.begin(), m_windows.end(), [window](const FakeWindow& w) { return w.handle == window; });
    return it == m_windows.end() ? nullptr : &*it;
}

const FakeWindow* FakePlatform::window(WindowHandle window) const {
    return const_cast<FakePlatform*>(this)->find(window);
}

bool FakePlatform::hasWindow(WindowHandle window) const {
    return this->window(window) != nullptr;
}

void FakePlatform::announceWindows(const std::vector<WindowHandle>& handles) {
    std::vector<WindowInfo> infos;
    for (WindowHandle handle : handles)
        if (const FakeWindow* w = window(handle))
            infos.push_back({w->handle, w->title, w->visible});
    if (m_watcher && !infos.empty())
        m_watcher(infos);
}

void FakePlatform::setTitle(WindowHandle window, const QString& title) {
    if (FakeWindow* w = find(window))
        w->title = title;
}

void FakePlatform::setVisible(WindowHandle window, bool visible) {
    if (FakeWindow* w = find(window))
        w->visible = visible;
}

void FakePlatform::raiseWindow(WindowHandle window) {
    auto it =
        std::find_if(m_windows.begin(), m_windows.end(), [window](const FakeWindow& w) { return w.handle == window; });
    if (it != m_windows.end())
        std::rotate(m_windows.begin(), it, it + 1);
}

std::vector<WindowInfo> FakePlatform::topLevelWindows() {
    std::vector<WindowInfo> out;
    out.reserve(m_windows.size());
    for (const FakeWindow& w : m_windows)
        out.push_back(WindowInfo{w.handle, w.title.left(256), w.visible});
    return out;
}

ProcessId FakePlatform::windowProcessId(WindowHandle window) {
    const FakeWindow* w = this->window(window);
    return w ? w->pid : 0;
}

void FakePlatform::postCloseMessage(WindowHandle window) {
    if (!hasWindow(window))
        return;
    m_closeRequests.push_back(window);
    if (m_closeRemovesWindow)
        removeWindow(window);
    else if (FakeWindow* w = find(window))
        w->closeRequested = true;
}

std::optional<ProcessIdentity> FakePlatform::identify(ProcessId pid) {
    if (pid <= 1)
        return std::nullopt;
    auto it = m_startTimes.find(pid);
    return ProcessIdentity{pid, it == m_startTimes.end() ? 0 : it->second};
}

bool FakePlatform::terminateProcess(const ProcessIdentity& process) {
    const ProcessId pid = process.pid;
    if (pid <= 1 || identify(pid) != process)
        return false;
    m_terminated.push_back(pid);
    std::erase_if(m_windows, [pid](const FakeWindow& w) { return w.pid == pid; });
    return true;
}

std::uint64_t FakePlatform::workingSetBytes(ProcessId pid) {
    auto it = m_workingSets.find(pid);
    return it == m_workingSets.end() ? 0 : it->second;
}

std::optional<QByteArray> FakePlatform::readObject(const QString& name, int size) {
    auto it = sharedObjects.find(name);
    if (it == sharedObjects.end())
        return std::nullopt;
    return it->second.left(size);
}

namespace {

class FakeHttpRequest : public HttpRequest {
public:
    explicit FakeHttpRequest(std::shared_ptr<std::pair<QString, Network::HttpDone>> get) : m_get(std::move(get)) {}
    ~FakeHttpRequest() override { m_get->second = nullptr; }

private:
    std::shared_ptr<std::pair<QString, Network::HttpDone>> m_get;
};

} // namespace

std::unique_ptr<HttpRequest> FakePlatform::startHttpGet(const QString& url, HttpDone done) {
    requestedUrls << url;
    auto get = std::make_shared<std::pair<QString, HttpDone>>(url, std::move(done));
    m_openGets.push_back(get);
    return std::make_unique<FakeHttpRequest>(std::move(get));
}

int FakePlatform::answerHttpRequests() {
    // GETs started by a completion wait for the next call.
    const auto answering = std::exchange(m_openGets, {});
    int answered = 0;
    for (const auto& get : answering) {
        if (!get->second)
            continue;
        const HttpDone done = std::exchange(get->second, nullptr);
        const auto page = pages.find(get->first);
        if (!httpError.isEmpty())
            done(HttpResult{QString(), httpError});
        else if (page == pages.end())
            done(HttpResult{QString(), QStringLiteral("Socket Error # 11001\nHost not found.")});
        else
            done(HttpResult{page->second, std::nullopt});
        ++answered;
    }
    return answered;
}

int FakePlatform::openHttpRequests() const {
    return int(std::count_if(m_openGets.begin(), m_openGets.end(), [](const auto& get) { return bool(get->second); }));
}

QString FakePlatform::exitWindows(std::uint32_t flags) {
    systemActionCalls.push_back(flags);
    return systemActionError;
}

int FakePlatform::messageBox(QWidget* owner, const QString& text, const QString& title, unsigned flags) {
    const unsigned buttons = flags & 0x0F;
    int answer = IdOk;
    if (!m_answers.empty()) {
        answer = m_answers.front();
        m_answers.pop_front();
    } else if (buttons == MbYesNo || buttons == MbYesNoCancel) {
        answer = defaultAnswer;
    } else if (buttons == MbRetryCancel) {
        answer = defaultAnswer == IdYes ? IdRetry : defaultAnswer;
    }
    RecordedBox box{owner, title, text, flags, answer};
    m_boxes.append(box);
    if (onBox)
        onBox(box);
    return answer;
}

std::optional<QString> FakePlatform::openFileName(QWidget*, const QString& title, const QString& filter,
                                                  const QString& initialDir) {
    fileDialogTitles << title;
    fileDialogFilters << filter;
    fileDialogDirs << initialDir;
    if (openFileAnswers.empty())
        return std::nullopt;
    return takeFront(openFileAnswers);
}

std::optional<QString> FakePlatform::saveFileName(QWidget*, const QString& title, const QString& filter,
                                                  const QString& initialDir) {
    fileDialogTitles << title;
    fileDialogFilters << filter;
    fileDialogDirs << initialDir;
    if (saveFileAnswers.empty())
        return std::nullopt;
    return takeFront(saveFileAnswers);
}

std::optional<QColor> FakePlatform::chooseColor(QWidget*, const QColor&) {
    if (colorAnswers.empty())
        return std::nullopt;
    return takeFront(colorAnswers);
}

bool FakePlatform::registerHotKey(std::function<void()> pressed) {
    m_hotKeyHandler = std::move(pressed);
    return true;
}

void FakePlatform::pressHotKey() {
    if (m_hotKeyHandler)
        m_hotKeyHandler();
}

} // namespace platform::fake
