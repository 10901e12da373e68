// core-temp: publishes the CPU core temperatures of /sys/class/hwmon in the shared block that
// Torvane reads, once a second, until it is stopped.

#include "publisher.h"
#include "shm_block_writer.h"
#include "temperature/core_temp_block.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

void say(const QString& text) {
    std::fprintf(stderr, "core-temp: %s\n", qPrintable(text));
}

} // namespace

int main(int argc, char** argv) {
    // Stop requests are taken with sigtimedwait in the loop below; blocked before anything else so
    // that every thread inherits the mask and a stop never kills the program before it cleans up.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaddset(&stopSignals, signal);
    sigprocmask(SIG_BLOCK, &stopSignals, nullptr);

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("core-temp"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Publishes CPU core temperatures for Torvane in a shared-memory block."));
    parser.addHelpOption();
    const QCommandLineOption rootOption(QStringLiteral("sysfs-root"),
                                        QStringLiteral("Folder standing for /sys (default /sys)."),
                                        QStringLiteral("dir"), QStringLiteral("/sys"));
    const QCommandLineOption nameOption(QStringLiteral("shm-name"),
                                        QStringLiteral("Shared-memory object to publish into."), QStringLiteral("name"),
                                        QLatin1Char('/') + coretemp::objectName(geteuid()));
    const QCommandLineOption onceOption(
        QStringLiteral("once"),
        QStringLiteral("Publish one reading, leave the object and exit (readers take it as stale)."));
    parser.addOptions({rootOption, nameOption, onceOption});
    parser.process(app);

    const QString root = parser.value(rootOption);
    QString name = parser.value(nameOption);
    if (!name.startsWith(QLatin1Char('/')))
        name.prepend(QLatin1Char('/'));
    const bool once = parser.isSet(onceOption);

    coretemp::CoreTempPublisher publisher(root);
    if (!publisher.discover()) {
        say(QStringLiteral("no CPU temperature sensors found in %1/class/hwmon "
                           "(need coretemp \"Core N\" or k10temp/zenpower sensors)")
                .arg(root));
        return 1;
    }

    coretemp::ShmBlockWriter writer;
    switch (writer.open(name, coretemp::kBlockSize)) {
    case coretemp::ShmBlockWriter::OpenResult::Opened:
        break;
    case coretemp::ShmBlockWriter::OpenResult::Busy:
        say(QStringLiteral("another core-temp already publishes %1").arg(name));
        return 0;
    case coretemp::ShmBlockWriter::OpenResult::Failed:
        say(writer.errorText());
        return 1;
    }

    writer.write(coretemp::blockFromReadings(publisher.sample()));
    if (once)
        return 0;
    say(QStringLiteral("publishing %1 core temperature(s) in %2")
            .arg(std::min(publisher.sensorCount(), coretemp::kCoreCount))
            .arg(name));

    const timespec interval{1, 0};
    for (;;) {
        const int signal = sigtimedwait(&stopSignals, nullptr, &interval);
        if (signal > 0)
            break;
        writer.write(coretemp::blockFromReadings(publisher.sample()));
    }
    // A stopped publisher must not leave its last readings behind as if they were current.
    writer.unlinkObject();
    return 0;
}
