#pragma once

#include <functional>
#include <memory>

class MainWindow;

// Where the main window's options are kept between runs. Either step may throw TorvaneError; the
// main window runs both inside its general error report.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // At the first paint.
    virtual void load() = 0;
    // At exit and whenever the auto-save writes.
    virtual void save() = 0;
};

// Called once the main window is complete: a store reads and sets the controls of every tab.
using SettingsStoreFactory = std::function<std::unique_ptr<SettingsStore>(MainWindow&)>;
