// List-file save and load of 10 000 safe and 10 000 kill entries, and the stream reader's
// throughput on a 10 MB stream, each against a literal field-by-field implementation that reads
// and writes through QDataStream, as a straightforward port would.
#include "lists/list_file.h"
#include "lists/list_file_stream.h"
#include "platform/torvane_error.h"

#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// ---- literal implementation ------------------------------------------------------------------

void literalShortString(QDataStream& out, const QByteArray& text) {
    out << quint8(text.size());
    out.writeRawData(text.constData(), int(text.size()));
}

void literalInteger(QDataStream& out, const char* name, qint32 value) {
    literalShortString(out, name);
    if (value >= -128 && value <= 127)
        out << quint8(2) << qint8(value);
    else if (value >= -32768 && value <= 32767)
        out << quint8(3) << qint16(value);
    else
        out << quint8(4) << qint32(value);
}

void literalItem(QDataStream& out, const QString& text) {
    const QByteArray u = text.toUtf8();
    const qint64 n = text.length();
    if (u.size() < 2 * n) {
        bool high = false;
        for (qsizetype i = 0; i < u.size(); ++i)
            if (quint8(u[i]) >= 0x80)
                high = true;
        if (high)
            out << quint8(0x14) << quint32(u.size());
        else if (u.size() > 255)
            out << quint8(0x0C) << quint32(u.size());
        else
            out << quint8(0x06) << quint8(u.size());
        out.writeRawData(u.constData(), int(u.size()));
    } else {
        out << quint8(0x12) << quint32(n);
        for (qint64 i = 0; i < n; ++i)
            out << quint16(text.at(i).unicode());
    }
}

void literalSave(const QString& path, const TaskList& safe, const TaskList& kill) {
    QStringList tmpBox;
    for (const TaskEntry& e : safe)
        tmpBox.append(e.title);
    tmpBox.append(kListSeparator);
    for (const TaskEntry& e : kill)
        tmpBox.append(e.title);
    tmpBox.append(kListSeparator);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw TorvaneError("Cannot create file");
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("TPF0", 4);
    literalShortString(out, "TListBox");
    literalShortString(out, "tmpBox");
    literalInteger(out, "Left", 951);
    literalInteger(out, "Top", 0);
    literalInteger(out, "Width", 33);
    literalInteger(out, "Height", 33);
    literalInteger(out, "ItemHeight", 13);
    literalShortString(out, "Items.Strings");
    out << quint8(1);
    for (const QString& item : tmpBox)
        literalItem(out, item);
    out << quint8(0);
    literalInteger(out, "TabOrder", 11);
    literalShortString(out, "Visible");
    out << quint8(8) << quint8(0) << quint8(0);
}

quint8 literalByte(QDataStream& in) {
    quint8 b = 0;
    in >> b;
    if (in.status() != QDataStream::Ok)
        throw TorvaneError(kStreamReadError);
    return b;
}

quint32 literalU32(QDataStream& in) {
    quint32 v = 0;
    in >> v;
    if (in.status() != QDataStream::Ok)
        throw TorvaneError(kStreamReadError);
    return v;
}

QByteArray literalBytes(QDataStream& in, quint64 n) {
    if (n > quint64(in.device()->bytesAvailable()))
        throw TorvaneError(kStreamReadError);
    QByteArray b(qsizetype(n), Qt::Uninitialized);
    in.readRawData(b.data(), int(n));
    return b;
}

QStringList literalDecode(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QDataStream in(&buffer);
    in.setByteOrder(QDataStream::LittleEndian);
    if (literalBytes(in, 4) != "TPF0")
        throw TorvaneError(kInvalidStreamFormat);
    literalBytes(in, literalByte(in));
    literalBytes(in, literalByte(in));
    QStringList items;
    for (quint8 length = literalByte(in); length != 0; length = literalByte(in)) {
        const QByteArray name = literalBytes(in, length);
        const quint8 type = literalByte(in);
        if (name != "Items.Strings") {
            // The writer's own entries only: small integers and false.
            literalBytes(in, type == 2 ? 1 : type == 3 ? 2 : type == 4 ? 4 : 0);
            continue;
        }
        for (quint8 t = literalByte(in); t != 0; t = literalByte(in)) {
            if (t == 0x06)
                items.append(QString::fromUtf8(literalBytes(in, literalByte(in))));
            else if (t == 0x0C || t == 0x14)
                items.append(QString::fromUtf8(literalBytes(in, literalU32(in))));
            else if (t == 0x12) {
                const quint32 n = literalU32(in);
                QString s;
                for (quint32 i = 0; i < n; ++i) {
                    quint16 c = 0;
                    in >> c;
                    s.append(QChar(c));
                }
                items.append(s);
            } else
                throw TorvaneError(kInvalidPropertyValue);
        }
    }
    literalByte(in);
    return items;
}

std::pair<TaskList, TaskList> literalLoad(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw TorvaneError("Cannot open file");
    const QStringList tmpBox = literalDecode(file.readAll());
    TaskList safe, kill;
    int i = 0;
    while (tmpBox.at(i) != kListSeparator)
        safe.push_back(TaskEntry{tmpBox.at(i++), 0});
    ++i;
    while (tmpBox.at(i) != kListSeparator)
        kill.push_back(TaskEntry{tmpBox.at(i++), 0});
    return {safe, kill};
}

// ---- inputs ------------------------------------------------------------------------------------

QString title(int i) {
    switch (i % 4) {
    case 0:
        return QStringLiteral("Terminal - user@host: ~/projects/%1").arg(i);
    case 1:
        return QString::fromUtf8("Caf\xC3\xA9 menu %1 - Browser").arg(i);
    case 2:
        return QString::fromUtf8("\xE4\xBB\xBB\xE5\x8A\xA1\xE7\xAE\xA1\xE7\x90\x86 %1").arg(i);
    default:
        return QStringLiteral("Untitled Document %1 - Editor").arg(i);
    }
}

TaskList entries(int count, int offset) {
    TaskList list;
    for (int i = 0; i < count; ++i)
        list.push_back(TaskEntry{title(i + offset), 0});
    return list;
}

const TaskList& safeList() {
    static const TaskList list = entries(10000, 0);
    return list;
}
const TaskList& killList() {
    static const TaskList list = entries(10000, 10000);
    return list;
}

const QByteArray& tenMegabyteStream() {
    static const QByteArray stream = [] {
        TaskList many;
        qsizetype bytes = 0;
        for (int i = 0; bytes < 10 * 1024 * 1024; ++i) {
            many.push_back(TaskEntry{title(i), 0});
            bytes += many.back().title.toUtf8().size() + 2;
        }
        return encodeListFile(many, {});
    }();
    return stream;
}

QTemporaryDir& folder() {
    static QTemporaryDir dir;
    return dir;
}

// ---- benchmarks --------------------------------------------------------------------------------

void BM_Save_Torvane(benchmark::State& state) {
    const QString path = folder().path() + "/torvane.sav";
    for (auto _ : state)
        saveListFile(path, safeList(), killList());
}

void BM_Save_Literal(benchmark::State& state) {
    const QString path = folder().path() + "/literal.sav";
    for (auto _ : state)
        literalSave(path, safeList(), killList());
}

void BM_Load_Torvane(benchmark::State& state) {
    const QString path = folder().path() + "/load.sav";
    saveListFile(path, safeList(), killList());
    for (auto _ : state) {
        ListFileSections s = loadListFile(path);
        benchmark::DoNotOptimize(s.kill.size());
        if (s.safe != safeList() || s.kill != killList())
            state.SkipWithError("lists differ");
    }
}

void BM_Load_Literal(benchmark::State& state) {
    const QString path = folder().path() + "/load.sav";
    saveListFile(path, safeList(), killList());
    for (auto _ : state) {
        auto lists = literalLoad(path);
        benchmark::DoNotOptimize(lists.second.size());
        if (lists.first != safeList() || lists.second != killList())
            state.SkipWithError("lists differ");
    }
}

void BM_Decode10MB_Torvane(benchmark::State& state) {
    const QByteArray& stream = tenMegabyteStream();
    for (auto _ : state)
        benchmark::DoNotOptimize(decodeListStream(stream).size());
    state.SetBytesProcessed(state.iterations() * stream.size());
}

void BM_Decode10MB_Literal(benchmark::State& state) {
    const QByteArray& stream = tenMegabyteStream();
    if (literalDecode(stream) != decodeListStream(stream))
        state.SkipWithError("readers disagree");
    for (auto _ : state)
        benchmark::DoNotOptimize(literalDecode(stream).size());
    state.SetBytesProcessed(state.iterations() * stream.size());
}

} // namespace

BENCHMARK(BM_Save_Torvane)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_Save_Literal)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_Load_Torvane)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_Load_Literal)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_Decode10MB_Torvane)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_Decode10MB_Literal)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
