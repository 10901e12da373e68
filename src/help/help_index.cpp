#include "help/help_index.h"

namespace help {

namespace {

// Reads one line from `pos` and moves `pos` past its line end.
QByteArray readLine(const QByteArray& data, qsizetype& pos) {
    const qsizetype start = pos;
    while (pos < data.size() && data[pos] != '\r' && data[pos] != '\n')
        ++pos;
    const QByteArray line = data.mid(start, pos - start);
    if (pos < data.size() && data[pos] == '\r') {
        ++pos;
        if (pos < data.size() && data[pos] == '\n')
            ++pos;
    } else if (pos < data.size()) {
        ++pos; // a lone LF
    }
    return line;
}

} // namespace

QList<HelpTopic> parseHelpIndex(const QByteArray& data) {
    QList<HelpTopic> topics;
    qsizetype pos = 0;
    while (pos < data.size()) {
        HelpTopic topic;
        topic.title = QString::fromUtf8(readLine(data, pos));
        topic.fileName = QString::fromUtf8(readLine(data, pos));
        topics.append(topic);
    }
    return topics;
}

QString topicDisplayText(const QByteArray& data) {
    QString text = QString::fromUtf8(data);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString asciiUpper(const QString& text) {
    QString result = text;
    for (QChar& c : result) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - (u'a' - u'A'));
    }
    return result;
}

int findNextTitle(const QStringList& titles, const QString& text, int current) {
    if (text.isEmpty())
        return -1;
    const QString needle = asciiUpper(text);
    const auto matches = [&](qsizetype i) { return asciiUpper(titles[i]).contains(needle, Qt::CaseSensitive); };
    for (qsizetype i = current + 1; i < titles.size(); ++i) {
        if (matches(i))
            return static_cast<int>(i);
    }
    if (current < 0)
        return -1;
    for (qsizetype i = 0; i <= current && i < titles.size(); ++i) {
        if (matches(i))
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace help
