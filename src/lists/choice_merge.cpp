#include "lists/choice_merge.h"

#include "core/durable_file.h"
#include "core/file_errors.h"
#include "lists/choice_file.h"
#include "lists/choice_file_text.h"
#include "platform/torvane_error.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <cerrno>

namespace {

constexpr QByteArrayView kLineEnd("\r\n");

void appendRecord(QByteArray& out, const QByteArray& name, const ChoiceCounts& counts) {
    out.append(name).append(kLineEnd);
    for (qint64 count : counts)
        out.append(QByteArray::number(count)).append(kLineEnd);
}

} // namespace

QByteArray mergeChoiceTexts(const QList<QByteArray>& texts) {
    // The header is the first name of every file, so it leads the merge even when an input lacks it.
    QList<QByteArray> order{kChoiceHeaderName};
    QHash<QByteArray, ChoiceCounts> sums{{kChoiceHeaderName, ChoiceCounts{}}};
    for (const QByteArray& text : texts) {
        QSet<QByteArray> seenHere;
        ChoiceRecordReader reader(text);
        while (!reader.atEnd()) {
            const QByteArray name = reader.readName();
            const ChoiceCounts counts = reader.readCounts();
            // Only a name's first record counts, and the reader gives no counts for an empty name.
            if (name.isEmpty() || seenHere.contains(name))
                continue;
            seenHere.insert(name);
            auto sum = sums.find(name);
            if (sum == sums.end()) {
                order.append(name);
                sum = sums.insert(name, ChoiceCounts{});
            }
            for (int i = 0; i < 5; ++i) {
                if (__builtin_add_overflow((*sum)[i], counts[i], &(*sum)[i]))
                    throw TorvaneError(QStringLiteral("The counts of \"%1\" add up to more than 64 bits hold")
                                           .arg(QString::fromUtf8(name)));
            }
        }
    }
    QByteArray out;
    for (const QByteArray& name : order)
        appendRecord(out, name, sums.value(name));
    return out;
}

void MergeChoiceFiles(const QString& outPath, const QStringList& inputPaths) {
    QList<QByteArray> texts;
    for (const QString& path : inputPaths) {
        try {
            if (!QFileInfo::exists(path))
                throw TorvaneError(QStringLiteral("No such file"));
            texts.append(ReadChoiceFileText(path));
            // A count is checked when it is read, so each input is read whole on its own.
            mergeChoiceTexts({texts.constLast()});
        } catch (const TorvaneError& e) {
            throw TorvaneError(path + QStringLiteral(": ") + e.text());
        }
    }
    const QByteArray merged = mergeChoiceTexts(texts);
    if (const int error = durable::replaceFile(outPath, merged))
        throw TorvaneError(outPath + QStringLiteral(": ") + fileErrorText(error));
}
