#pragma once

#include "platform/scripting_target.h"

#include <QString>
#include <optional>
#include <vector>

namespace platform {

// The scripting interface of a Torvane that runs in another process on the same display, as a
// command line asks it.
class RemoteScripting {
public:
    virtual ~RemoteScripting() = default;

    // False when no Torvane answers for the display, or there is nothing to reach it through.
    virtual bool running() = 0;
    // Each returns why the call failed or was refused, nothing when it succeeded.
    virtual std::optional<QString> tasks(std::vector<ScriptedTask>& out) = 0;
    virtual std::optional<QString> add(const QString& list, const QString& title) = 0;
    virtual std::optional<QString> remove(const QString& list, const QString& title) = 0;
    virtual std::optional<QString> setProtection(bool on) = 0;
};

} // namespace platform
