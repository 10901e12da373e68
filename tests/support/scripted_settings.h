#pragma once

#include "app/settings_files_controller.h"

// The settings files, unless a test writes a step in their place; counts every save. Outlives the program.
struct SettingsScript {
    std::function<void()> load, save;
    int saves = 0;
    SettingsStoreFactory factory() {
        struct Store : SettingsStore {
            Store(SettingsScript& script, MainWindow& main) : s(script), files(main) {}
            void load() override { s.load ? s.load() : files.load(); }
            void save() override { ++s.saves, s.save ? s.save() : files.save(); }
            SettingsScript& s;
            SettingsController files;
        };
        return [this](MainWindow& main) { return std::make_unique<Store>(*this, main); };
    }
};
