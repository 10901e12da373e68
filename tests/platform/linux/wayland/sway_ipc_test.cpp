#include "platform/linux/wayland/sway_ipc.h"
#include "platform/linux/wayland/sway_ipc_messages.h"
#include "support/headless_sway.h"
#include "support/x11_child.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using namespace platform;

namespace {

const NativeWindow* find(const std::vector<NativeWindow>& windows, const QString& title) {
    for (const NativeWindow& w : windows)
        if (w.title == title)
            return &w;
    return nullptr;
}

QString describe(const NativeWindow& w) {
    return w.title + QStringLiteral(" pid %1 ").arg(w.pid) + (w.visible ? "shown " : "hidden ") + w.appId + ' ' +
           QString::number(w.x11Window) + (w.xwayland ? " xwayland" : "");
}

// Runs the event loop until `done` holds; false after a bound that only guards against hanging.
template <typename Done> bool spinUntil(Done done, int rounds = 3000) {
    for (int i = 0; i < rounds && !done(); ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    return done();
}

} // namespace

TEST(SwayIpcMessages, FramesSplitAnywhereAndRejectsOtherStreams) {
    const QByteArray stream = sway::encodeMessage(sway::GetTree, "{}") + sway::encodeMessage(sway::WindowEvent, "[1]");
    sway::MessageReader reader;
    QByteArray got;
    for (char byte : stream) {
        reader.append(QByteArrayView(&byte, 1));
        while (auto message = reader.next())
            got += QByteArray::number(message->type) + ':' + message->payload + ' ';
    }
    EXPECT_EQ(got, "4:{} 2147483651:[1] ");
    sway::MessageReader other;
    other.append("HTTP/1.1 400 Bad Request\r\n");
    EXPECT_TRUE(!other.next() && other.corrupt());
}

TEST(SwayIpcMessages, TreeGivesViewsInFocusOrderWithTheScratchpadHidden) {
    const QByteArray tree = R"({"id":1,"type":"root","focus":[3,2],"nodes":[
      {"id":2,"type":"output","name":"__i3","nodes":[{"id":5,"type":"workspace","name":"__i3_scratch",
        "floating_nodes":[{"id":13,"type":"floating_con","name":"stashed","pid":40,"app_id":"d","visible":false}]}]},
      {"id":3,"type":"output","focus":[4],"nodes":[{"id":4,"type":"workspace","name":"1","focus":[12,20],
        "nodes":[{"id":20,"type":"con","name":null,"focus":[11,10],"nodes":[
          {"id":10,"type":"con","name":"first","pid":41,"app_id":"a","shell":"xdg_shell","window":null},
          {"id":11,"type":"con","name":"second","pid":42,"app_id":null,"shell":"xdg_shell","visible":false}]}],
        "floating_nodes":[{"id":12,"type":"floating_con","name":"x client","pid":43,"app_id":null,
          "shell":"xwayland","window":4194305,"window_properties":{"class":"X"}}]}]}]})";
    QStringList got;
    for (const NativeWindow& w : sway::windowsInTree(tree).value_or(std::vector<NativeWindow>{}))
        got << QString::number(w.handle ^ kNativeHandleBit) + ' ' + describe(w);
    EXPECT_EQ(got, QStringList({"12 x client pid 43 shown  4194305 xwayland", "11 second pid 42 shown  0",
                                "10 first pid 41 shown a 0", "13 stashed pid 40 hidden d 0"}));
    EXPECT_FALSE(sway::windowsInTree("not json"));
}

// A pid or id that is no whole number in range is never cast: the window goes, or its pid is unknown.
TEST(SwayIpcMessages, NumbersOutOfRangeNeverBecomeIdsOrPids) {
    const struct {
        const char *id, *pid, *expected;
    } cases[] = {
        {"7", "40", "7 40"},        {"7.5", "40", ""},     {"-7", "40", ""},
        {"2147483648", "40", ""},   {"7", "40.5", "7 0"},  {"7", "-40", "7 0"},
        {"7", "2147483648", "7 0"}, {"7", "1e300", "7 0"}, {"7", "\"40\"", "7 0"},
    };
    for (const auto& c : cases) {
        const QByteArray tree =
            QByteArray(R"({"id":1,"type":"root","nodes":[{"type":"con","id":)") + c.id + ",\"pid\":" + c.pid + "}]}";
        QStringList got;
        for (const NativeWindow& w : sway::windowsInTree(tree).value_or(std::vector<NativeWindow>{}))
            got << QStringLiteral("%1 %2").arg(w.handle ^ kNativeHandleBit).arg(w.pid);
        EXPECT_EQ(got.join(' '), QString::fromLatin1(c.expected)) << c.id << " " << c.pid;
    }
}

// sway's side played from a thread on a private socket (the source's requests wait for replies):
// events arrive glued to the subscription's reply, split across reads, and after the tree.
TEST(SwayIpcScripted, EventsAroundTheRepliesKeepTheWatchAndTheListCurrent) {
    QTemporaryDir dir;
    const QByteArray path = dir.filePath(QStringLiteral("ipc.sock")).toLocal8Bit();
    const int listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{AF_UNIX, {}};
    memcpy(address.sun_path, path.constData(), path.size());
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) | listen(listener, 2), 0);
    const timeval bound{5, 0}; // only against hanging when the source misbehaves
    setsockopt(listener, SOL_SOCKET, SO_RCVTIMEO, &bound, sizeof bound);
    auto view = [](int id, QByteArray title) {
        return R"({"type":"con","pid":5,"id":)" + QByteArray::number(id) + R"(,"name":")" + title + "\"}";
    };
    auto tree = [](QByteArray views) { return sway::encodeMessage(sway::GetTree, "{\"nodes\":[" + views + "]}"); };
    auto event = [](QByteArray change, QByteArray view) {
        return sway::encodeMessage(sway::WindowEvent, R"({"change":")" + change + R"(","container":)" + view + "}");
    };
    int fds[2] = {-1, -1};
    std::thread server([&] {
        auto answer = [&](int fd, const QByteArray& out) { // after the source's next request
            char request[64];
            setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &bound, sizeof bound);
            recv(fd, request, 14, MSG_WAITALL);
            if (request[6] > 0) // a payload of at most a few bytes
                recv(fd, request, uchar(request[6]), MSG_WAITALL);
            send(fd, out.constData(), out.size(), MSG_NOSIGNAL);
        };
        const QByteArray two = event("new", view(11, "two"));
        answer(fds[0] = accept(listener, nullptr, nullptr), tree(view(10, "one")));
        answer(fds[1] = accept(listener, nullptr, nullptr),
               sway::encodeMessage(sway::Subscribe, R"({"success":true})") + event("title", view(10, "one")) +
                   two.left(20));
        answer(fds[1], two.mid(20) + tree(view(11, "two") + ',' + view(10, "one")));
        const QByteArray three = event("new", view(12, "three"));
        send(fds[1], three.constData(), three.size(), MSG_NOSIGNAL);
        answer(fds[1], tree(view(12, "three") + ',' + view(11, "two") + ',' + view(10, "one")) +
                           event("title", view(12, "three renamed")));
    });
    std::unique_ptr<NativeWindowSource> source = connectSwayIpc(QString::fromLocal8Bit(path));
    QStringList reported, listed;
    if (source) {
        source->watch([&](const std::vector<NativeWindow>& windows) {
            for (const NativeWindow& w : windows)
                reported << w.title;
        });
        spinUntil([&] { return !reported.isEmpty(); }); // the last event came with the tree
        for (const NativeWindow& w : source->windows())
            listed << w.title;
    }
    EXPECT_EQ(listed, QStringList({"three renamed", "two", "one"}));
    EXPECT_EQ(reported, QStringList{"three"});
    source.reset(); // a server step still waiting sees the end
    server.join();
    for (int fd : {fds[0], fds[1], listener})
        ::close(fd);
}

class SwayIpcTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const QString why = HeadlessSway::unavailableReason(); !why.isEmpty())
            GTEST_SKIP() << why.toStdString();
        m_sway = std::make_unique<HeadlessSway>();
        m_source = connectSwayIpc(m_sway->swaySocket());
        ASSERT_TRUE(m_source);
    }

    std::unique_ptr<HeadlessSway> m_sway;
    std::unique_ptr<NativeWindowSource> m_source;
};

TEST_F(SwayIpcTest, ListsNativeAndXWaylandWindowsWithPidsAndTheScratchpadAsHidden) {
    EXPECT_FALSE(connectSwayIpc(m_sway->runtimeDir() + QStringLiteral("/no-such.sock")));
    const auto alpha = m_sway->startClient(QStringLiteral("alpha ünïcode"), QStringLiteral("org.example.Alpha"));
    const auto beta = m_sway->startClient(QStringLiteral("beta"));
    X11Child x11(m_sway->xwaylandDisplay(),
                 {QStringLiteral("--window"), QStringLiteral("--utf8"), QStringLiteral("x11 one")});
    // XWayland hands its windows to sway on its own time.
    ASSERT_TRUE(spinUntil([&] { return find(m_source->windows(), QStringLiteral("x11 one")) != nullptr; }));
    ASSERT_TRUE(m_sway->command(QStringLiteral("[title=^beta$] move scratchpad")));
    QStringList got;
    for (const NativeWindow& w : m_source->windows()) {
        EXPECT_TRUE(w.handle & kNativeHandleBit);
        got << describe(w);
    }
    // The window focused last comes first, the scratchpad's last.
    EXPECT_EQ(got, QStringList(
                       {QStringLiteral("x11 one pid %1 shown  %2 xwayland").arg(x11.pid()).arg(x11.windows()[0].client),
                        QStringLiteral("alpha ünïcode pid %1 shown org.example.Alpha 0").arg(alpha->pid()),
                        QStringLiteral("beta pid %1 hidden  0").arg(beta->pid())}));
}

TEST_F(SwayIpcTest, WatchReportsNewAndRetitledWindowsOnly) {
    const auto old = m_sway->startClient(QStringLiteral("there before"));
    std::vector<NativeWindow> reported;
    m_source->watch([&](const std::vector<NativeWindow>& windows) {
        reported.insert(reported.end(), windows.begin(), windows.end());
    });
    const auto fresh = m_sway->startClient(QStringLiteral("fresh"));
    ASSERT_TRUE(spinUntil([&] { return find(reported, QStringLiteral("fresh")) != nullptr; }));
    ASSERT_TRUE(old->retitle(QStringLiteral("renamed")));
    ASSERT_TRUE(spinUntil([&] { return find(reported, QStringLiteral("renamed")) != nullptr; }));
    EXPECT_EQ(find(reported, QStringLiteral("there before")), nullptr); // unchanged at the start
    // While watching, the list follows the events and the trees they bring, the scratchpad too.
    ASSERT_TRUE(m_sway->command(QStringLiteral("[title=^fresh$] move scratchpad")));
    EXPECT_TRUE(spinUntil([&] {
        const std::vector<NativeWindow> now = m_source->windows();
        return find(now, QStringLiteral("fresh")) && !find(now, QStringLiteral("fresh"))->visible;
    }));
    EXPECT_EQ(find(m_source->windows(), QStringLiteral("there before")), nullptr);
    m_source->watch({});
    reported.clear();
    ASSERT_TRUE(fresh->retitle(QStringLiteral("after the watch")));
    ASSERT_TRUE(spinUntil([&] { return find(m_source->windows(), QStringLiteral("after the watch")) != nullptr; }));
    spinUntil([] { return false; }, 50); // the retitle's events have long arrived after this
    EXPECT_TRUE(reported.empty());
}

TEST_F(SwayIpcTest, CloseAsksTheCompositorAndRefusesUnknownHandles) {
    // Without a watch the command waits for sway's reply; with one it goes out on the event connection.
    for (const bool watching : {false, true}) {
        if (watching)
            m_source->watch([](const std::vector<NativeWindow>&) {});
        const auto victim = m_sway->startClient(QStringLiteral("victim"));
        const auto bystander = m_sway->startClient(QStringLiteral("bystander"));
        ASSERT_TRUE(spinUntil([&] { return find(m_source->windows(), QStringLiteral("bystander")) != nullptr; }));
        const std::vector<NativeWindow> windows = m_source->windows();
        const NativeWindow* v = find(windows, QStringLiteral("victim"));
        ASSERT_TRUE(v);
        EXPECT_FALSE(m_source->close(v->handle & ~kNativeHandleBit)); // an X11 handle is never a container
        EXPECT_FALSE(m_source->close(kNativeHandleBit | 99999));
        ASSERT_TRUE(m_source->close(v->handle));
        EXPECT_TRUE(victim->waitClosed());
        EXPECT_TRUE(bystander->running());
        EXPECT_TRUE(spinUntil([&] { return find(m_source->windows(), QStringLiteral("victim")) == nullptr; }));
    }
}
