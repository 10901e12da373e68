#include "core/error_report.h"

#include "core/message_policy.h"
#include "platform/dialogs.h"
#include "platform/torvane_error.h"

#include <new>

QString errorReportText(const QString& message) {
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + QLatin1Char('.');
    return message;
}

bool runGuarded(platform::Dialogs& dialogs, QWidget* owner, const std::function<void()>& handler) {
    QString message;
    try {
        handler();
        return true;
    } catch (const TorvaneError& e) {
        message = e.text();
    } catch (const std::bad_alloc&) {
        message = QStringLiteral("Out of memory");
    } catch (const std::exception& e) {
        message = QString::fromLocal8Bit(e.what());
    }
    dialogs.messageBox(owner, errorReportText(message), kApplicationTitle, platform::MbOk | platform::MbIconError);
    return false;
}

bool runGuarded(MessagePolicy& policy, const std::function<void()>& handler) {
    return runGuarded(policy.dialogs(), policy.mainWindow(), handler);
}
