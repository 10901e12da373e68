#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>

// The two option files in BaseDir: plain runs of fixed-size records whose meaning is their position.
namespace settings_files {

inline const QString kSettingsFileName = QStringLiteral("Settings.ini");     // one byte per yes/no option
inline const QString kConfiguresFileName = QStringLiteral("Configures.ini"); // 32-bit little-endian fields

// Where each option sits, by name: flags[flag::Protection], fields[field::LookupInterval]. The order is the files' own
// and never changes: a new option goes at the end.
namespace field {
enum : std::size_t {
    ConsumeFirstFactor,
    ConsumeSecondFactor,
    ConsumeThirdFactor,
    RewriteInterval,
    ExtraMegabytes,
    SafetyCap,
    SmartTolerance,
    ShortNameLength,
    NameLengthLimit,
    MemoryWarningLimit,
    OptimizeInterval,
    LookupInterval,
    OverheatThreshold,
    OverheatKillUsage,
    ChangeTolerance,
    Count
};
} // namespace field

namespace flag {
enum : std::size_t {
    TreatShownAsHidden,
    ConfirmActions,
    PeriodicRewrite,
    CleverProcessing,
    SmartRecognition,
    FilterTextLength,
    SpareShortNames,
    LimitNameLength,
    FollowWindowHandle,
    MemoryWarning,
    WarnSafeListToo,
    PeriodicOptimize,
    PeriodicLookup,
    LookupOnlyConnected,
    OverheatKill,
    OverheatStopProtection,
    StartCoreTempWithTorvane,
    OverheatStopLookup,
    OverheatStopMemory,
    ForceAction,
    DetectTemperatureChanges,
    OverheatShutDown,
    // The option check boxes end here; the records after them come from menu items and the window.
    KeepSettings,
    MainWindowShown,
    ShowHiddenTasks,
    Protection,
    TreatAsHidden,
    TemperatureTab,
    Count
};
} // namespace flag

constexpr int kFlagCount = flag::Count;
constexpr int kFieldCount = field::Count;
using Flags = std::array<bool, kFlagCount>;
using Fields = std::array<std::int32_t, kFieldCount>;

QByteArray encodeFlags(const Flags& flags);
QByteArray encodeFields(const Fields& fields);

// Hands out the records of a file one at a time, so a caller can apply each before reading the
// next; running past the end throws TorvaneError "Read beyond end of file". Extra bytes are ignored.
class RecordReader {
public:
    explicit RecordReader(QByteArray bytes) : m_bytes(std::move(bytes)) {}

    // Any non-zero byte is true.
    bool readFlag();
    std::int32_t readField();

private:
    const char* take(qsizetype size);

    QByteArray m_bytes;
    qsizetype m_next = 0;
};

// File access with the program's file error texts (TorvaneError).
QByteArray readWholeFile(const QString& path);
// Writes durably through a temporary in the same folder renamed over `path`, so an interrupted
// save leaves the previous file whole; a file that already holds `bytes` is left alone.
void replaceFile(const QString& path, const QByteArray& bytes);
void removeFileIfPresent(const QString& path);

} // namespace settings_files
