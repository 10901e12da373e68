#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace platform {

// What scripts may ask of the running program; the bus object forwards each call here.
struct ScriptedTask {
    QString title;
    bool shown = false;
    unsigned pid = 0; // 0 when the owner is unknown
};

// A refused call: `name` is the error's D-Bus name, `message` what the caller reads.
struct ScriptingError {
    QString name;
    QString message;
};

class ScriptingTarget {
public:
    virtual ~ScriptingTarget() = default;
    virtual std::vector<ScriptedTask> tasks() = 0;
    virtual std::optional<ScriptingError> list(const QString& list, QStringList& entries) = 0;
    virtual std::optional<ScriptingError> add(const QString& list, const QString& title) = 0;
    virtual std::optional<ScriptingError> remove(const QString& list, const QString& title) = 0;
    virtual void setProtection(bool on) = 0;
    virtual bool protectionOn() = 0;
};

} // namespace platform
