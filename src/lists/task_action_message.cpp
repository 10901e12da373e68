#include "lists/task_action_message.h"

#include <cmath>

namespace {
constexpr std::uint64_t kMegabyte = 1048576;
const QString kLineJoin = QStringLiteral("\n\r");
} // namespace

QString ActionName(int choiceCode) {
    switch (choiceCode) {
    case 1:
        return QStringLiteral("Kill Task");
    case 2:
        return QStringLiteral("Add to Safe List");
    case 3:
        return QStringLiteral("Add to Kill List");
    case 4:
        return QStringLiteral("Allow to Run");
    default:
        return QStringLiteral("Nothing");
    }
}

QString memoryText(std::uint64_t bytes) {
    if (bytes < kMegabyte)
        return QStringLiteral("less than 1 Mega Byte");
    const double megabytes = std::nearbyint(static_cast<double>(bytes) / static_cast<double>(kMegabyte));
    return QString::number(static_cast<qint64>(megabytes)) + QStringLiteral(" Mega Bytes");
}

bool usesTooMuchMemory(std::uint64_t bytes, std::int32_t memoryLimitMB) {
    const double megabytes = static_cast<double>(bytes) / static_cast<double>(kMegabyte);
    return static_cast<double>(memoryLimitMB) < megabytes;
}

QString taskHeading(std::uint64_t bytes, std::int32_t memoryLimitMB, const QString& reason) {
    if (!reason.isEmpty())
        return reason;
    return usesTooMuchMemory(bytes, memoryLimitMB) ? QStringLiteral("Too much memory used by task")
                                                   : QStringLiteral("New task running");
}

QString taskMessage(const TaskFacts& facts) {
    QString sentence = facts.reason.isEmpty()
                           ? QStringLiteral("Task with the name ") + facts.name + QStringLiteral(" was found running.")
                           : QStringLiteral("The task has the name ") + facts.name + QLatin1Char('.');
    if (facts.name.contains(QStringLiteral("IME"), Qt::CaseSensitive))
        sentence += QStringLiteral("It is likely that this is a system non-named task.");
    const QString visibility = facts.visible ? QStringLiteral("visible ") : QStringLiteral("hidden ");
    return sentence + kLineJoin + QStringLiteral("The task is ") + visibility +
           QStringLiteral(" and its parrent application consumes ") + memoryText(facts.bytes) +
           QStringLiteral(" of memory.") + kLineJoin +
           QStringLiteral("The action mostly performed for this task is \"") + ActionName(facts.mine) +
           QStringLiteral("\" by the user and \"") + ActionName(facts.cloud) + QStringLiteral("\" by all cloud users.");
}

QString notFoundMessage(const QString& name) {
    return kLineJoin + QStringLiteral("You were going to be warned for a task with ") + kLineJoin +
           QStringLiteral("the name of ") + name + QLatin1Char('.') +
           QStringLiteral("However, for some reason it cannot be accessed.") + kLineJoin +
           QStringLiteral("Most likely it is no longer running.");
}

bool repeatPeriodOver(const QString& secondsText, std::int32_t repeatSeconds) {
    if (repeatSeconds > 2147483645)
        return true;
    if (secondsText.isEmpty())
        return false;
    bool whole = false;
    const qint64 seconds = secondsText.trimmed().toLongLong(&whole, 10);
    return whole && seconds < repeatSeconds;
}

QString displayText(const QString& message) {
    QString text = message;
    return text.replace(kLineJoin, QStringLiteral("\n"));
}
