#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

// The two option files in BaseDir: plain runs of fixed-size records whose meaning is their position.
namespace settings_files {

inline const QString kSettingsFileName = QStringLiteral("Settings.ini");     // one byte per yes/no option
inline const QString kConfiguresFileName = QStringLiteral("Configures.ini"); // 32-bit little-endian fields

constexpr int kFlagCount = 28;
constexpr int kFieldCount = 15;
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
