// libFuzzer target for the two file readers of the lists subsystem: the list-file stream and the
// choice-file text. Any input must end in a result or one of the listed error texts; what the
// list reader accepts must also survive a write and a read unchanged.
#include "lists/choice_file_text.h"
#include "lists/list_file.h"
#include "lists/list_file_stream.h"
#include "platform/torvane_error.h"

#include <QRegularExpression>

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char* what, const QString& detail) {
    std::fprintf(stderr, "%s: %s\n", what, qPrintable(detail));
    std::abort();
}

bool isListFileError(const QString& text) {
    static const QRegularExpression property(
        QStringLiteral("\\AError reading tmpBox\\..*: (Stream read error|Invalid property value)\\z"),
        QRegularExpression::DotMatchesEverythingOption);
    return text == kInvalidStreamFormat || text == kStreamReadError || property.match(text).hasMatch();
}

void fuzzListFile(QByteArrayView bytes) {
    QStringList items;
    try {
        items = decodeListStream(bytes);
    } catch (const TorvaneError& e) {
        if (!isListFileError(e.text()))
            fail("unlisted list-file error", e.text());
        return;
    }
    if (decodeListStream(encodeListStream(items)) != items)
        fail("list items do not survive a write and a read", items.join(QLatin1Char('|')));
    const ListFileSections sections = splitListItems(items);
    if (!sections.error.isEmpty() && !sections.error.startsWith(QStringLiteral("List index out of bounds (")))
        fail("unlisted section error", sections.error);
}

void fuzzChoiceText(QByteArrayView bytes) {
    // The first line doubles as the name looked for, so matches happen.
    const qsizetype lineEnd = bytes.indexOf('\n');
    const QByteArray name = bytes.first(lineEnd < 0 ? 0 : lineEnd).toByteArray().replace('\r', "");
    try {
        const ChoiceCounts before = findChoiceCounts(bytes, name);
        if (name.isEmpty())
            return;
        const QByteArray rewritten = addChoiceToText(bytes, name, 1);
        const ChoiceCounts after = findChoiceCounts(rewritten, name);
        const qint64 expected = before[0] == std::numeric_limits<qint64>::max() ? before[0] : before[0] + 1;
        if (after[0] != expected)
            fail("choice count not added", QString::fromUtf8(name));
    } catch (const TorvaneError& e) {
        if (e.text() != QStringLiteral("Invalid numeric input"))
            fail("unlisted choice-file error", e.text());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    fuzzListFile(bytes);
    fuzzChoiceText(bytes);
    return 0;
}
