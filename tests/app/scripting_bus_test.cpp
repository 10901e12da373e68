#include "app/scripting_service.h"
#include "core/activity_log.h"
#include "core/task_list_model.h"
#include "platform/fake/fake_platform.h"
#include "platform/linux/session/scripting_bus.h"
#include "support/dbus_mock.h"
#include "support/pump_until.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <gtest/gtest.h>

namespace {

class TaskEndedListener : public QObject {
    Q_OBJECT
public:
    QStringList heard;
public slots:
    void taskEnded(const QDBusMessage& signal) {
        QStringList words;
        for (const QVariant& argument : signal.arguments())
            words << argument.toString();
        heard << words.join(QLatin1Char(' '));
    }
};

// The calls go over a private bus from a second connection, as a script's would.
TEST(ScriptingBus, ListChangesAndRefusals) {
    if (!DBusMockLogind::available())
        GTEST_SKIP() << "dbus-daemon or python3-dbusmock is missing";
    DBusMockLogind daemon(QStringLiteral("{}"), false);
    ASSERT_TRUE(daemon.running()) << daemon.error().toStdString();
    QDBusConnection server = QDBusConnection::connectToBus(daemon.address(), QStringLiteral("scripting-server"));
    QDBusConnection client = QDBusConnection::connectToBus(daemon.address(), QStringLiteral("scripting-client"));
    TaskListModel safe, kill;
    platform::fake::FakePlatform windows;
    bool protection = false;
    ActivityLog log;
    ScriptingService service(safe, kill, windows, {[&] { return protection; }, [&](bool on) { protection = on; }},
                             &log);
    QObject host; // the program's org.freedesktop.Application object
    platform::ScriptingBus bus(service, host, server);
    ASSERT_TRUE(server.registerObject(QString::fromLatin1(bus.kPath), &host, QDBusConnection::ExportAdaptors));

    const auto call = [&](const char* method, const QVariantList& args) {
        QDBusMessage message =
            QDBusMessage::createMethodCall(server.baseService(), QString::fromLatin1(bus.kPath),
                                           QStringLiteral("io.github.torvane.Torvane1"), QString::fromLatin1(method));
        message.setArguments(args);
        const QDBusMessage reply = client.call(message, QDBus::BlockWithGui, 10000);
        return reply.type() == QDBusMessage::ErrorMessage ? QStringLiteral("error: ") + reply.errorMessage()
                                                          : QStringLiteral("ok");
    };
    const QString longTitle(ScriptingService::kTitleLimit + 1, QLatin1Char('x'));
    const struct {
        const char* method;
        QString list, title, result;
    } steps[] = {
        {"Add", "kill", "Game", "ok"},
        {"Add", "kill", "Game", "ok"}, // already there: kept once
        {"Add", "safe", "Editor", "ok"},
        {"Add", "safe", "Game", "ok"},
        {"Remove", "safe", "Game", "ok"},
        {"Remove", "safe", "Game", "error: \"Game\" is not in the safe list."},
        {"Remove", "kill", "Editor", "error: \"Editor\" is not in the kill list."},
        {"Add", "trash", "Game", "error: Unknown list \"trash\": use \"safe\" or \"kill\"."},
        {"Add", "kill", "", "error: The title is empty."},
        {"Add", "kill", longTitle, "error: The title is 257 characters long; the limit is 256."},
    };
    for (const auto& step : steps)
        EXPECT_EQ(call(step.method, {step.list, step.title}), step.result)
            << step.method << " " << step.list.toStdString();
    EXPECT_EQ(safe.count(), 1);
    EXPECT_EQ(safe.at(0).title, QStringLiteral("Editor"));
    EXPECT_EQ(kill.count(), 1);
    EXPECT_EQ(kill.at(0).title, QStringLiteral("Game"));

    EXPECT_EQ(call("SetProtection", {true}), QStringLiteral("ok"));
    EXPECT_TRUE(protection);

    // Each change made is in the log; only tasks that were ended or asked to close are announced.
    QStringList changes;
    for (const platform::ActivityEntry& entry : log.latest())
        changes << entry.title + QStringLiteral(": ") + entry.resultText();
    EXPECT_EQ(
        changes,
        QStringList({"Game: list changed: added to the kill list", "Editor: list changed: added to the safe list",
                     "Game: list changed: added to the safe list", "Game: list changed: removed from the safe list"}));
    TaskEndedListener listener;
    ASSERT_TRUE(client.connect(server.baseService(), QString::fromLatin1(bus.kPath),
                               QStringLiteral("io.github.torvane.Torvane1"), QStringLiteral("TaskEnded"), &listener,
                               SLOT(taskEnded(QDBusMessage))));
    QObject::connect(&log, &ActivityLog::recorded, &bus, &platform::ScriptingBus::announce);
    // The client's match rule reaches the bus from another thread: announce until it is heard.
    for (int i = 0; i < 100 && listener.heard.isEmpty(); ++i) {
        bus.announce({.title = "Probe", .result = platform::ActivityResult::Ended});
        pumpUntil([&] { return !listener.heard.isEmpty(); }, 20);
    }
    pumpUntil([] { return false; }, 20); // late probes
    listener.heard.clear();
    log.record({.title = "Game", .pid = 42, .reason = "protection", .result = platform::ActivityResult::Ended});
    log.record({.title = "Kept", .reason = "protection", .result = platform::ActivityResult::RefusedOwnTask});
    log.record({.title = "Shy", .reason = "protection", .result = platform::ActivityResult::CloseRequestOnly});
    const QStringList expected{"Game 42 protection ended", "Shy 0 protection close request only"};
    pumpUntil([&] { return listener.heard.size() >= expected.size(); });
    EXPECT_EQ(listener.heard, expected);
}

} // namespace

#include "scripting_bus_test.moc"
