#include "hwmon_sensors.h"

#include "temperature/core_temp_block.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <tuple>
#include <vector>

namespace coretemp {
namespace {

// Outside the range Torvane accepts a reading is a driver fault, and one wild value would stretch
// the graphs for good since the peak is never lowered.
constexpr qint64 kLowestMillidegrees = qint64(kLowestPlausible) * 1000;
constexpr qint64 kHighestMillidegrees = qint64(kHighestPlausible) * 1000;

struct Sensor {
    int group = 0;  // package id, or the device's position for AMD devices
    int device = 0; // position of the hwmon device
    int number = 0; // core or CCD number
    QString input;
};

QString readTrimmed(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.read(256)).trimmed();
}

// hwmon0, hwmon2, hwmon10: by number, not by text.
int hwmonNumber(const QString& entry) {
    bool ok = false;
    const int number = entry.mid(5).toInt(&ok);
    return ok ? number : -1;
}

// Older kernels keep the name and the sensor files under the device folder.
QString sensorFolder(const QString& hwmonPath) {
    if (QFile::exists(hwmonPath + QStringLiteral("/name")))
        return hwmonPath;
    return hwmonPath + QStringLiteral("/device");
}

struct Labelled {
    QString label;
    QString input;
};

std::vector<Labelled> labelledInputs(const QString& folder) {
    static const QRegularExpression inputName(QStringLiteral("^temp(\\d+)_input$"));
    std::vector<Labelled> result;
    const QStringList inputs = QDir(folder).entryList({QStringLiteral("temp*_input")}, QDir::AllEntries | QDir::System);
    for (const QString& input : inputs) {
        const QRegularExpressionMatch match = inputName.match(input);
        if (!match.hasMatch())
            continue;
        const QString stem = folder + QStringLiteral("/temp") + match.captured(1);
        result.push_back({readTrimmed(stem + QStringLiteral("_label")), stem + QStringLiteral("_input")});
    }
    // A label whose input has vanished still names a core: keep its place so the others do not shift.
    const QStringList labels = QDir(folder).entryList({QStringLiteral("temp*_label")}, QDir::Files);
    for (const QString& label : labels) {
        const QString stem = folder + QLatin1Char('/') + label.chopped(6);
        const QString input = stem + QStringLiteral("_input");
        if (std::none_of(result.begin(), result.end(), [&](const Labelled& l) { return l.input == input; }))
            result.push_back({readTrimmed(folder + QLatin1Char('/') + label), input});
    }
    return result;
}

QStringList inputsInOrder(std::vector<Sensor> sensors) {
    std::stable_sort(sensors.begin(), sensors.end(), [](const Sensor& a, const Sensor& b) {
        return std::tie(a.group, a.device, a.number) < std::tie(b.group, b.device, b.number);
    });
    QStringList inputs;
    for (const Sensor& sensor : sensors)
        inputs << sensor.input;
    return inputs;
}

} // namespace

QStringList discoverCoreSensors(const QString& sysfsRoot) {
    static const QRegularExpression coreLabel(QStringLiteral("^Core (\\d+)$"));
    static const QRegularExpression packageLabel(QStringLiteral("^Package id (\\d+)$"));
    static const QRegularExpression ccdLabel(QStringLiteral("^Tccd(\\d+)$"));

    const QDir hwmon(sysfsRoot + QStringLiteral("/class/hwmon"));
    QStringList entries = hwmon.entryList({QStringLiteral("hwmon*")}, QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(entries.begin(), entries.end(),
              [](const QString& a, const QString& b) { return hwmonNumber(a) < hwmonNumber(b); });

    std::vector<Sensor> cores, ccds, dies, controls;
    int device = 0;
    for (const QString& entry : entries) {
        ++device;
        const QString folder = sensorFolder(hwmon.filePath(entry));
        const QString name = readTrimmed(folder + QStringLiteral("/name"));
        const std::vector<Labelled> labelled = labelledInputs(folder);
        if (name == QLatin1String("coretemp")) {
            int package = 100000 + device; // a device without a package sensor sorts after the known ones
            for (const Labelled& l : labelled) {
                if (const auto m = packageLabel.match(l.label); m.hasMatch())
                    package = m.captured(1).toInt();
            }
            for (const Labelled& l : labelled) {
                if (const auto m = coreLabel.match(l.label); m.hasMatch())
                    cores.push_back({package, device, m.captured(1).toInt(), l.input});
            }
        } else if (name == QLatin1String("k10temp") || name == QLatin1String("zenpower")) {
            for (const Labelled& l : labelled) {
                // Kernels before labels existed exposed only the control temperature, as temp1.
                const bool unlabelledControl = l.label.isEmpty() && l.input.endsWith(QLatin1String("/temp1_input"));
                if (const auto m = ccdLabel.match(l.label); m.hasMatch())
                    ccds.push_back({device, device, m.captured(1).toInt(), l.input});
                else if (l.label == QLatin1String("Tdie"))
                    dies.push_back({device, device, 0, l.input});
                else if (l.label == QLatin1String("Tctl") || unlabelledControl)
                    controls.push_back({device, device, 0, l.input});
            }
        }
    }
    for (const auto* found : {&cores, &ccds, &dies, &controls}) {
        if (!found->empty())
            return inputsInOrder(*found);
    }
    return {};
}

std::optional<float> readTemperature(const QString& inputPath) {
    QFile file(inputPath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray text = file.read(64).trimmed();
    bool ok = false;
    const qint64 millidegrees = text.toLongLong(&ok);
    if (!ok || millidegrees < kLowestMillidegrees || millidegrees > kHighestMillidegrees)
        return std::nullopt;
    return static_cast<float>(static_cast<double>(millidegrees) / 1000.0);
}

} // namespace coretemp
