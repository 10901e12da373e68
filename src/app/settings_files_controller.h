#pragma once

#include <QString>
#include <array>

class QCheckBox;
class SpinEdit;
class TTorvane;

// Applies "Settings.ini" and "Configures.ini" once at the first paint and writes (or deletes) them
// at exit. The files are snapshots of the controls; no settings object is kept in between.
class SettingsController {
public:
    // Needs every tab of the main window in place.
    explicit SettingsController(TTorvane& main);

    // Throws TorvaneError at the first record that cannot be read or applied; what was applied stays.
    void LoadSettings();
    // Throws TorvaneError when a file cannot be written or deleted.
    void SaveSettings();

private:
    // The controls behind the records, in file order.
    std::array<SpinEdit*, 15> spinFields() const;
    std::array<QCheckBox*, 22> checkBoxes() const;

    void applyConfigures(const QString& path);
    void applySettings(const QString& path);

    TTorvane& m_main;
};
