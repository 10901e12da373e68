#include "app/settings_files_controller.h"

#include "app/advanced_options_tab.h"
#include "app/main_window.h"
#include "app/settings_files.h"
#include "app/shell_controller.h"
#include "app/tray_controller.h"
#include "core/durable_file.h"
#include "internet/internet_tab.h"
#include "lists/task_management_tab.h"
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

// The controls a load sets, in file order, so each reacts as when the user sets it.
std::array<SpinEdit*, kFieldCount> SettingsController::fieldControls() const {
    const RamControls& ram = m_main.ramTab().controls();
    const AdvancedTabControls& advanced = m_main.advancedTab().controls();
    const TemperatureControls& temperature = m_main.temperatureTab().controls();
    std::array<SpinEdit*, kFieldCount> controls{};
    controls[field::ConsumeFirstFactor] = ram.consumeFirstFactorSpin;
    controls[field::ConsumeSecondFactor] = ram.consumeSecondFactorSpin;
    controls[field::ConsumeThirdFactor] = ram.consumeThirdFactorSpin;
    controls[field::RewriteInterval] = ram.rewriteIntervalSpin;
    controls[field::ExtraMegabytes] = ram.extraMegabytesSpin;
    controls[field::SafetyCap] = ram.safetyCapSpin;
    controls[field::SmartTolerance] = advanced.smartToleranceSpin;
    controls[field::ShortNameLength] = advanced.shortNameLengthSpin;
    controls[field::NameLengthLimit] = advanced.nameLengthLimitSpin;
    controls[field::MemoryWarningLimit] = m_main.taskTab().controls().memoryWarningSpin;
    controls[field::OptimizeInterval] = ram.optimizeIntervalSpin;
    controls[field::LookupInterval] = m_main.internetTab().controls().lookupIntervalSpin;
    controls[field::OverheatThreshold] = temperature.overheatThresholdSpin;
    controls[field::OverheatKillUsage] = temperature.overheatKillUsageSpin;
    controls[field::ChangeTolerance] = temperature.changeToleranceSpin;
    return controls;
}

std::array<QCheckBox*, flag::KeepSettings> SettingsController::flagControls() const {
    const TaskTabControls& task = m_main.taskTab().controls();
    const AdvancedTabControls& advanced = m_main.advancedTab().controls();
    const RamControls& ram = m_main.ramTab().controls();
    const InternetControls& internet = m_main.internetTab().controls();
    const TemperatureControls& temperature = m_main.temperatureTab().controls();
    std::array<QCheckBox*, flag::KeepSettings> controls{};
    controls[flag::TreatShownAsHidden] = task.treatShownAsHiddenCheck;
    controls[flag::ConfirmActions] = advanced.confirmActionsCheck;
    controls[flag::PeriodicRewrite] = ram.periodicRewriteCheck;
    controls[flag::CleverProcessing] = advanced.cleverProcessingCheck;
    controls[flag::SmartRecognition] = advanced.smartRecognitionCheck;
    controls[flag::FilterTextLength] = advanced.filterTextLengthCheck;
    controls[flag::SpareShortNames] = advanced.spareShortNamesCheck;
    controls[flag::LimitNameLength] = advanced.limitNameLengthCheck;
    controls[flag::FollowWindowHandle] = advanced.followWindowHandleCheck;
    controls[flag::MemoryWarning] = task.memoryWarningCheck;
    controls[flag::WarnSafeListToo] = task.warnSafeListToCheck;
    controls[flag::PeriodicOptimize] = ram.periodicOptimizeCheck;
    controls[flag::PeriodicLookup] = internet.periodicLookupCheck;
    controls[flag::LookupOnlyConnected] = internet.lookupOnlyConnectedCheck;
    controls[flag::OverheatKill] = temperature.overheatKillCheck;
    controls[flag::OverheatStopProtection] = temperature.overheatStopProtectionCheck;
    controls[flag::StartCoreTempWithTorvane] = temperature.startCoreTempWithTorvaneCheck;
    controls[flag::OverheatStopLookup] = temperature.overheatStopLookupCheck;
    controls[flag::OverheatStopMemory] = temperature.overheatStopMemoryCheck;
    controls[flag::ForceAction] = m_main.autoActionsTab().controls().forceActionCheck;
    controls[flag::DetectTemperatureChanges] = temperature.detectTemperatureChangesCheck;
    controls[flag::OverheatShutDown] = temperature.overheatShutDownCheck;
    return controls;
}

// What a save writes: the options as they are now, and the few records no option holds.
Flags SettingsController::currentFlags() const {
    const ProtectionOptions& protection = m_main.taskTab().protectionOptions();
    const RecognitionSettings& recognition = m_main.advancedTab().recognitionSettings();
    const MemoryOptions& memory = m_main.ramTab().options();
    const InternetOptions& internet = m_main.internetTab().options();
    const TemperatureOptions& temperature = m_main.temperatureTab().options();
    MainForm& f = m_main.form();
    Flags flags{};
    flags[flag::TreatShownAsHidden] = protection.treatShownAsHidden;
    flags[flag::ConfirmActions] = m_main.advancedTab().controls().confirmActionsCheck->isChecked();
    flags[flag::PeriodicRewrite] = memory.periodicRewrite;
    flags[flag::CleverProcessing] = recognition.cleverProcessing;
    flags[flag::SmartRecognition] = m_main.advancedTab().controls().smartRecognitionCheck->isChecked();
    flags[flag::FilterTextLength] = recognition.lengthFilter;
    flags[flag::SpareShortNames] = recognition.spareShortNames;
    flags[flag::LimitNameLength] = recognition.limitNameLength;
    flags[flag::FollowWindowHandle] = recognition.changeByHandle;
    flags[flag::MemoryWarning] = protection.memoryWarning;
    flags[flag::WarnSafeListToo] = protection.warnSafeListToo;
    flags[flag::PeriodicOptimize] = memory.periodicOptimize;
    flags[flag::PeriodicLookup] = internet.periodicLookup;
    flags[flag::LookupOnlyConnected] = internet.lookupOnlyWhenConnected;
    flags[flag::OverheatKill] = temperature.overheatKill;
    flags[flag::OverheatStopProtection] = temperature.overheatStopProtection;
    flags[flag::StartCoreTempWithTorvane] = temperature.startCoreTempWithTorvane;
    flags[flag::OverheatStopLookup] = temperature.overheatStopLookup;
    flags[flag::OverheatStopMemory] = temperature.overheatStopMemory;
    flags[flag::ForceAction] = m_main.autoActionsTab().options().force;
    flags[flag::DetectTemperatureChanges] = temperature.detectTemperatureChanges;
    flags[flag::OverheatShutDown] = temperature.overheatShutDown;
    flags[flag::KeepSettings] = f.keepSettingsAction->isChecked();
    flags[flag::MainWindowShown] = m_main.values().MainWindowShown;
    flags[flag::ShowHiddenTasks] = m_main.taskTab().taskListOptions().showHiddenTasks;
    flags[flag::Protection] = protection.protectionOn;
    flags[flag::TreatAsHidden] = f.treatAsHiddenAction->isChecked();
    flags[flag::TemperatureTab] = m_main.temperatureTab().temperatureTimer()->isActive();
    return flags;
}

void SettingsController::LoadSettings() {
    m_loadAttempted = true;
    // The form checks the menu item "Keep Settings on Exit" but not its check box; only a full
    // "Settings.ini" sets both. Without one (the first start, a short file) the check box is made
    // to show what the menu item holds, which is what the exit acts on.
    MainForm& f = m_main.form();
    QCheckBox* keepSettingsCheck = m_main.advancedTab().controls().keepSettingsCheck;
    const auto showKeepSettings = [&f, keepSettingsCheck] {
        keepSettingsCheck->setChecked(f.keepSettingsAction->isChecked());
    };
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
    for (SpinEdit* field : fieldControls())
        field->setValue(records.readField());
}

void SettingsController::applySettings(QByteArray bytes) {
    MainForm& f = m_main.form();
    RecordReader records(std::move(bytes));
    const auto boxes = flagControls();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        boxes[i]->setChecked(records.readFlag());
        if (i == flag::StartCoreTempWithTorvane)
            f.startCoreTempWithTorvaneAction->setChecked(boxes[i]->isChecked());
        else if (i == flag::DetectTemperatureChanges)
            f.detectTemperatureChangesAction->setChecked(boxes[i]->isChecked());
    }
    const bool keep = records.readFlag();
    f.keepSettingsAction->setChecked(keep);
    m_main.advancedTab().controls().keepSettingsCheck->setChecked(keep);

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
    if (m_main.temperatureTab().options().startCoreTempWithTorvane &&
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
    replace(settings, encodeFlags(currentFlags()));

    Fields fields{};
    const auto spins = fieldControls();
    for (std::size_t i = 0; i < spins.size(); ++i)
        fields[i] = spins[i]->value();
    replace(configures, encodeFields(fields));
}

std::unique_ptr<SettingsStore> settingsFiles(MainWindow& main) {
    return std::make_unique<SettingsController>(main);
}
