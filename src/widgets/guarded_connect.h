#pragma once

#include "core/error_report.h"
#include "core/message_policy.h"

#include <QObject>

class QAction;
class QTimer;
#include <functional>
#include <utility>

// Connects a control's signal to a handler run inside the general error report: an error ends the
// handler and is shown, and the event loop (and with it every timer) goes on.

// The report's box is owned by the main window the policy knows when the signal comes.
template <typename Sender, typename Signal>
QMetaObject::Connection connectGuarded(Sender* sender, Signal signal, QObject* context, MessagePolicy& policy,
                                       std::function<void()> handler) {
    return QObject::connect(sender, signal, context,
                            [&policy, handler = std::move(handler)] { runGuarded(policy, handler); });
}

// The report's box is owned by `owner`.
template <typename Sender, typename Signal>
QMetaObject::Connection connectGuarded(Sender* sender, Signal signal, QObject* context, platform::Dialogs& dialogs,
                                       QWidget* owner, std::function<void()> handler) {
    return QObject::connect(sender, signal, context,
                            [&dialogs, owner, handler = std::move(handler)] { runGuarded(dialogs, owner, handler); });
}

// Connects a timer; a tick that comes while the previous one (or its error report) is still open
// is skipped, so boxes never stack; `meanwhile` (a step that opens no box) then runs at the timer's
// period instead.
void connectGuardedTimer(QTimer* timer, QObject* context, MessagePolicy& policy, std::function<void()> handler,
                         std::function<void()> meanwhile = {});

// Connects a menu item; the handler alone decides the item's check mark.
void connectGuardedMenuItem(QAction* item, QObject* context, MessagePolicy& policy, std::function<void()> handler);
