#pragma once

#include "app/settings_files.h"
#include "app/settings_store.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <array>

class QCheckBox;
class SpinEdit;
class MainWindow;

// Applies "Settings.ini" and "Configures.ini" once at the first paint and writes (or deletes) them
// at exit. A load sets the controls, so each reacts as when the user sets it; a save writes the
// options the controls are bound to (a field: its spin edit's number).
class SettingsController : public SettingsStore {
public:
    // Needs every tab of the main window in place.
    explicit SettingsController(MainWindow& main);

    void load() override { LoadSettings(); }
    void save() override { SaveSettings(); }

    // Throws TorvaneError at the first record that cannot be read or applied; what was applied stays.
    // A file that cannot be read is kept aside (the error says where) and the other file still loads.
    void LoadSettings();
    // Throws TorvaneError when a file cannot be written or deleted. Before LoadSettings ran (a run
    // that ends before its first paint) it writes nothing: the files were never applied.
    void SaveSettings();

private:
    std::array<SpinEdit*, settings_files::kFieldCount> fieldControls() const;
    std::array<QCheckBox*, settings_files::flag::KeepSettings> flagControls() const;
    settings_files::Flags currentFlags() const;

    void loadFile(const QString& path, qsizetype size, void (SettingsController::*apply)(QByteArray),
                  QStringList& keptAside);
    void applyConfigures(QByteArray bytes);
    void applySettings(QByteArray bytes);

    MainWindow& m_main;
    // Files that failed to load and could not be moved aside: never written over nor deleted.
    QSet<QString> m_untouchable;
    bool m_loadAttempted = false;
};

// The program's store: the two files in BaseDir.
std::unique_ptr<SettingsStore> settingsFiles(MainWindow& main);
