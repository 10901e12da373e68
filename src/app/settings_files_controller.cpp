#include "app/settings_files_controller.h"

#include "app/main_window.h"
#include "app/settings_files.h"
#include "app/shell_controller.h"
#include "app/tray_controller.h"
#include "core/durable_file.h"
#include "internet/internet_tab.h"
#include "memory/ram_tab.h"
#include "platform/torvane_error.h"
#include "schedule/auto_windows_actions_tab.h"
#include "tasks/protection.h"
#include "tasks/task_list_controller.h"
#include "temperature/temperature_tab.h"
#include "widgets/spin_edit.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QTimer>

using namespace settings_files;

namespace {

// Silent mode for the replays, so they show no box; off again however loading ends. The check
// mark is set directly: its click handler would announce the change.
class SilentWhileReplaying {
public:
    explicit SilentWhileReplaying(QAction* silentMode) : m_silentMode(silentMode) { m_silentMode->setChecked(true); }
    ~SilentWhileReplaying() { m_silentMode->setChecked(false); }
    SilentWhileReplaying(const SilentWhileReplaying&) = delete;
    SilentWhileReplaying& operator=(const SilentWhileReplaying&) = delete;

private:
    QAction* m_silentMode;
};

} // namespace

SettingsController::SettingsController(MainWindow& main) : m_main(main) {}

std::array<SpinEdit*, 15> SettingsController::spinFields() const {
    MainForm& f = m_main.form();
    const RamControls& ram = m_main.ramTab().controls();
    const TemperatureControls& temperature = m_main.temperatureTab().controls();
    return {ram.consumeFirstFactorSpin,
            ram.consumeSecondFactorSpin,
            ram.consumeThirdFactorSpin,
            ram.rewriteIntervalSpin,
            ram.extraMegabytesSpin,
            ram.safetyCapSpin,
            f.smartToleranceSpin,
            f.shortNameLengthSpin,
            f.nameLengthLimitSpin,
            f.memoryWarningSpin,
            ram.optimizeIntervalSpin,
            m_main.internetTab().controls().lookupIntervalSpin,
            temperature.overheatThresholdSpin,
            temperature.overheatKillUsageSpin,
            temperature.changeToleranceSpin};
}

std::array<QCheckBox*, 22> SettingsController::checkBoxes() const {
    MainForm& f = m_main.form();
    const RamControls& ram = m_main.ramTab().controls();
    const InternetControls& internet = m_main.internetTab().controls();
    const TemperatureControls& temperature = m_main.temperatureTab().controls();
    return {f.treatShownAsHiddenCheck,
            f.confirmActionsCheck,
            ram.periodicRewriteCheck,
            f.cleverProcessingCheck,
            f.smartRecognitionCheck,
            f.filterTextLengthCheck,
            f.spareShortNamesCheck,
            f.limitNameLengthCheck,
            f.followWindowHandleCheck,
            f.memoryWarningCheck,
            f.warnSafeListToCheck,
            ram.periodicOptimizeCheck,
            internet.periodicLookupCheck,
            internet.lookupOnlyConnectedCheck,
            temperature.overheatKillCheck,
            temperature.overheatStopProtectionCheck,
            temperature.startCoreTempWithTorvaneCheck,
            temperature.overheatStopLookupCheck,
            temperature.overheatStopMemoryCheck,
            m_main.autoActionsTab().controls().forceActionCheck,
            temperature.detectTemperatureChangesCheck,
            temperature.overheatShutDownCheck};
}

void SettingsController::LoadSettings() {
    m_loadAttempted = true;
    // The form checks the menu item "Keep Settings on Exit" but not its check box; only a full
    // "Settings.ini" sets both. Without one (the first start, a short file) the check box is made
    // to show what the menu item holds, which is what the exit acts on.
    MainForm& f = m_main.form();
    const auto showKeepSettings = [&f] { f.keepSettingsCheck->setChecked(f.keepSettingsAction->isChecked()); };
    const QString& baseDir = m_main.values().BaseDir;
    // The fields come first: the check boxes' reactions read them (periodicLookupCheck takes its interval).
    QStringList keptAside;
    try {
        loadFile(baseDir + kConfiguresFileName, kFieldCount * 4, &SettingsController::applyConfigures, keptAside);
        loadFile(baseDir + kSettingsFileName, kFlagCount, &SettingsController::applySettings, keptAside);
    } catch (...) {
        showKeepSettings();
        throw;
    }
    showKeepSettings();
    if (!keptAside.isEmpty())
        throw TorvaneError(keptAside.join(QStringLiteral("\n\r")));
}

// A file that cannot be read, or ends before its last record, is moved aside so that no later
// save replaces it, and the load goes on with the other file. A failure of a replayed operation
// is no fault of the file and ends loading as before.
void SettingsController::loadFile(const QString& path, qsizetype size, void (SettingsController::*apply)(QByteArray),
                                  QStringList& keptAside) {
    if (!QFileInfo::exists(path))
        return;
    QByteArray bytes;
    try {
        bytes = readWholeFile(path);
        (this->*apply)(bytes);
        return;
    } catch (const TorvaneError& e) {
        if (bytes.size() >= size) {
            keptAside << e.text();
            throw TorvaneError(keptAside.join(QStringLiteral("\n\r")));
        }
        const QString aside = durable::keepAside(path);
        if (aside.isEmpty()) {
            m_untouchable.insert(path);
            keptAside << e.text() + QStringLiteral("\n\rThe settings file \"%1\" is left as it is and will not be "
                                                   "saved over")
                                        .arg(path);
        } else {
            keptAside << e.text() + QStringLiteral("\n\rThe settings file was kept as \"%1\"").arg(aside);
        }
    }
}

void SettingsController::applyConfigures(QByteArray bytes) {
    RecordReader records(std::move(bytes));
    // setValue clamps into the field's current range and runs the change reaction only on a change.
    for (SpinEdit* field : spinFields())
        field->setValue(records.readField());
}

void SettingsController::applySettings(QByteArray bytes) {
    MainForm& f = m_main.form();
    RecordReader records(std::move(bytes));
    const auto boxes = checkBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        boxes[i]->setChecked(records.readFlag());
        if (boxes[i] == m_main.temperatureTab().controls().startCoreTempWithTorvaneCheck)
            f.startCoreTempWithTorvaneAction->setChecked(boxes[i]->isChecked());
        else if (boxes[i] == m_main.temperatureTab().controls().detectTemperatureChangesCheck)
            f.detectTemperatureChangesAction->setChecked(boxes[i]->isChecked());
    }
    const bool keep = records.readFlag();
    f.keepSettingsAction->setChecked(keep);
    f.keepSettingsCheck->setChecked(keep);

    SilentWhileReplaying silent(f.silentModeAction);
    if (!records.readFlag())
        m_main.tray().onToTrayTriggered();
    if (records.readFlag())
        m_main.taskList().onShowHiddenTasksTriggered();
    if (records.readFlag())
        m_main.protection().toggleProtection();
    if (records.readFlag() && !f.treatAsHiddenAction->isChecked())
        m_main.taskList().onTreatAsHiddenTriggered();
    if (!records.readFlag())
        m_main.shell().onDisableTemperatureTabClicked();
    if (m_main.temperatureTab().controls().startCoreTempWithTorvaneCheck->isChecked() &&
        m_main.temperatureTab().temperatureTimer()->isActive())
        m_main.temperatureTab().starter().StartCoreTemp();
}

void SettingsController::SaveSettings() {
    if (!m_loadAttempted)
        return;
    MainForm& f = m_main.form();
    const QString& baseDir = m_main.values().BaseDir;
    const QString settings = baseDir + kSettingsFileName;
    const QString configures = baseDir + kConfiguresFileName;
    const auto replace = [this](const QString& path, const QByteArray& bytes) {
        if (!m_untouchable.contains(path))
            replaceFile(path, bytes);
    };
    if (!f.keepSettingsAction->isChecked()) {
        for (const QString& path : {settings, configures})
            if (!m_untouchable.contains(path))
                removeFileIfPresent(path);
        return;
    }
    Flags flags{};
    const auto boxes = checkBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i)
        flags[i] = boxes[i]->isChecked();
    // After the check boxes, the records that come from menu items, the tray flag and the timer.
    flags[flag::KeepSettings] = f.keepSettingsAction->isChecked();
    flags[flag::MainWindowShown] = m_main.values().MainWindowShown;
    flags[flag::ShowHiddenTasks] = f.showHiddenTasksAction->isChecked();
    flags[flag::Protection] = f.protectionAction->isChecked();
    flags[flag::TreatAsHidden] = f.treatAsHiddenAction->isChecked();
    flags[flag::TemperatureTab] = m_main.temperatureTab().temperatureTimer()->isActive();
    replace(settings, encodeFlags(flags));

    Fields fields{};
    const auto spins = spinFields();
    for (std::size_t i = 0; i < spins.size(); ++i)
        fields[i] = spins[i]->value();
    replace(configures, encodeFields(fields));
}

std::unique_ptr<SettingsStore> settingsFiles(MainWindow& main) {
    return std::make_unique<SettingsController>(main);
}
