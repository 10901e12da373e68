#include "internet/address_extraction.h"

std::optional<QString> extractAddress(const QString& body) {
    static const QString marker = QStringLiteral("Address:");
    const qsizetype found = body.indexOf(marker);
    if (found < 0)
        return std::nullopt;
    // The character after the marker is skipped whatever it is: the page puts a blank there.
    const qsizetype start = found + marker.size() + 1;
    if (start >= body.size())
        return QString();
    const qsizetype end = body.indexOf(QLatin1Char('<'), start);
    return body.mid(start, end < 0 ? -1 : end - start);
}
