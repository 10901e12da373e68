#include "app/app_id.h"
#include "app/remote_commands.h"
#include "app/scripting_service.h"
#include "core/task_list_model.h"
#include "lists/list_file.h"
#include "platform/fake/fake_platform.h"
#include "platform/linux/session/scripting_bus.h"
#include "platform/linux/session/scripting_client.h"
#include "platform/linux/session/single_instance.h"
#include "support/dbus_mock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Step {
    QStringList args;
    int status;
    QString out, err;
};

CommandLineAnswer run(const QStringList& args, platform::RemoteScripting& torvane, const ListFilePlace& place) {
    const CommandLineAnswer answer = readCommandLine(QStringList{"torvane"} + args);
    return answer.remote ? runRemoteCommand(*answer.remote, torvane, QStringLiteral(":57"), place) : answer;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<absent>");
}

// The calls go from a second connection to the Torvane served on the first, under its display's name.
TEST(RemoteCommands, RunningTorvaneIsAskedOverTheBus) {
    if (!DBusMockLogind::available())
        GTEST_SKIP() << "dbus-daemon or python3-dbusmock is missing";
    DBusMockLogind daemon(QStringLiteral("{}"), false);
    ASSERT_TRUE(daemon.running()) << daemon.error().toStdString();
    QDBusConnection server = QDBusConnection::connectToBus(daemon.address(), QStringLiteral("remote-server"));
    TaskListModel safe, kill;
    platform::fake::FakePlatform windows;
    windows.addWindow(QStringLiteral("Editor"), true, 42);
    windows.addWindow(QStringLiteral("two\nlines"), false, 0);
    bool protection = false;
    ScriptingService service(safe, kill, windows, {[&] { return protection; }, [&](bool on) { protection = on; }});
    QObject host;
    platform::ScriptingBus bus(service, host, server);
    ASSERT_TRUE(server.registerObject(QString::fromLatin1(bus.kPath), &host, QDBusConnection::ExportAdaptors));
    const QString name = platform::SingleInstance::busName(kAppId, QStringLiteral(":57"));
    ASSERT_TRUE(server.registerService(name));
    platform::ScriptingClient torvane(QDBusConnection::connectToBus(daemon.address(), "remote-client"), name);
    QTemporaryDir dir;
    const ListFilePlace place{dir.path() + "/", false, dir.path()};

    const Step steps[] = {
        {{"--kill-list", "add", "Game"}, 0, "", ""},
        {{"--safe-list", "add", "Editor"}, 0, "", ""},
        {{"--kill-list", "remove", "Editor"}, 1, "", "torvane: \"Editor\" is not in the kill list.\n"},
        {{"--safe-list", "remove", "Editor"}, 0, "", ""},
        {{"--protection", "on"}, 0, "", ""},
        {{"--list-tasks"}, 0, "0\ttwo\\x0alines\n42\tEditor\n", ""},
    };
    for (const Step& step : steps) {
        const CommandLineAnswer answer = run(step.args, torvane, place);
        EXPECT_EQ(std::tuple(answer.status, answer.out, answer.err), std::tuple(step.status, step.out, step.err))
            << step.args.join(' ').toStdString();
    }
    EXPECT_TRUE(safe.tasks().empty());
    ASSERT_EQ(kill.count(), 1);
    EXPECT_EQ(kill.at(0).title, QStringLiteral("Game"));
    EXPECT_TRUE(protection);
    EXPECT_FALSE(QFile::exists(defaultListFilePath(place.dataFolder)));
}

// The list file as the program writes it, items spelled out.
QByteArray listFile(const QStringList& items) {
    QByteArray bytes = QByteArray::fromHex("5450463008544C697374426F7806746D70426F78044C65667403B70303546F7002000557"
                                           "696474680221064865696768740221 0A4974656D48656967687402 0D"
                                           "0D4974656D732E537472696E677301");
    for (const QString& item : items)
        bytes += QByteArray(1, 6) + char(item.size()) + item.toLatin1();
    return bytes + QByteArray::fromHex("00 08 5461624F72646572 020B 07 56697369626C65 08 0000");
}

TEST(RemoteCommands, WithoutTorvaneTheListFileChangesUnderTheSameRules) {
    QTemporaryDir dir;
    const ListFilePlace place{dir.path() + "/data/", true, dir.path() + "/etc"};
    ASSERT_TRUE(QDir().mkpath(dir.path() + "/etc/torvane"));
    saveListFile(dir.path() + "/etc/torvane/AllLists.sav", {TaskEntry(QStringLiteral("Editor"))}, {});
    const QString path = dir.path() + "/data/AllLists.sav", end = QStringLiteral("!!!!!ENDLIST!!!!!");
    const QString said = "Torvane is not running; the %1 list in " + path + " %2.\n", changed = "was changed";
    const QString notRunning = QStringLiteral("torvane: Torvane is not running on display :57.\n");
    const QString tooLong = QStringLiteral("torvane: The title is 257 characters long; the limit is 256.\n");
    platform::ScriptingClient torvane(QDBusConnection(QStringLiteral("no-bus")), QStringLiteral("unreached"));
    const std::pair<Step, QStringList> steps[] = {
        // A new user's lists come from the preset.
        {{{"--kill-list", "add", "Game"}, 0, said.arg("kill", changed), ""}, {"Editor", end, "Game", end}},
        {{{"--kill-list", "add", "Game"}, 0, said.arg("kill", "already holds \"Game\""), ""},
         {"Editor", end, "Game", end}},
        {{{"--safe-list", "remove", "Editor"}, 0, said.arg("safe", changed), ""}, {end, "Game", end}},
        {{{"--safe-list", "remove", "Editor"}, 1, "", "torvane: \"Editor\" is not in the safe list.\n"},
         {end, "Game", end}},
        {{{"--kill-list", "add", QString(257, 'x')}, 1, "", tooLong}, {end, "Game", end}},
        {{{"--list-tasks"}, 1, "", notRunning}, {end, "Game", end}},
        {{{"--protection", "off"}, 1, "", notRunning}, {end, "Game", end}},
    };
    for (const auto& [step, items] : steps) {
        const CommandLineAnswer answer = run(step.args, torvane, place);
        EXPECT_EQ(std::tuple(answer.status, answer.out, answer.err), std::tuple(step.status, step.out, step.err))
            << step.args.join(' ').toStdString();
        EXPECT_EQ(fileBytes(path), listFile(items)) << step.args.join(' ').toStdString();
    }
    // What cannot be read is never written over.
    QFile broken(path);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly) && broken.write("TPF0\x07TStrin") == 11);
    broken.close();
    EXPECT_EQ(run({"--kill-list", "add", "Miner"}, torvane, place).status, 1);
    EXPECT_EQ(fileBytes(path), QByteArray("TPF0\x07TStrin"));
}

} // namespace
