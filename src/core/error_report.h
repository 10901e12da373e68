#pragma once

#include <QString>
#include <functional>

class MessagePolicy;
class QWidget;

namespace platform {
class Dialogs;
}

inline const QString kApplicationTitle = QStringLiteral("Torvane 4.4.0");

// The text of the general error report: a full stop is appended when the last character's code
// is above that of the full stop.
QString errorReportText(const QString& message);

// Runs a handler entered from a signal, timer or menu. An error escaping it abandons the rest of
// the handler and is shown in the general error report (never suppressed by silent mode).
// Returns false when the handler failed.
bool runGuarded(platform::Dialogs& dialogs, QWidget* owner, const std::function<void()>& handler);
// The same, the report's box owned by the main window the policy knows at that moment.
bool runGuarded(MessagePolicy& policy, const std::function<void()>& handler);
