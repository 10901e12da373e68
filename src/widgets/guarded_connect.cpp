#include "widgets/guarded_connect.h"

#include <QAction>
#include <QTimer>
#include <memory>

void connectGuardedTimer(QTimer* timer, QObject* context, MessagePolicy& policy, std::function<void()> handler,
                         std::function<void()> meanwhile) {
    auto running = std::make_shared<bool>(false);
    // Qt never fires a timer again while its own handler runs, a box's nested event loop included:
    // a second timer of the same period stands in for it meanwhile.
    QTimer* standIn = nullptr;
    if (meanwhile) {
        standIn = new QTimer(context);
        standIn->setInterval(timer->interval());
        QObject::connect(standIn, &QTimer::timeout, context,
                         [&policy, meanwhile = std::move(meanwhile)] { runGuarded(policy, meanwhile); });
    }
    QObject::connect(timer, &QTimer::timeout, context, [&policy, running, handler = std::move(handler), standIn] {
        if (*running)
            return;
        *running = true;
        if (standIn)
            standIn->start();
        runGuarded(policy, handler);
        if (standIn)
            standIn->stop();
        *running = false;
    });
}

void connectGuardedMenuItem(QAction* item, QObject* context, MessagePolicy& policy, std::function<void()> handler) {
    QObject::connect(item, &QAction::triggered, context, [&policy, item, handler = std::move(handler)] {
        // Qt flips a checkable item before reporting it; put the mark back for the handler.
        if (item->isCheckable())
            item->setChecked(!item->isChecked());
        runGuarded(policy, handler);
    });
}
