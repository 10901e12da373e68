#include "lists/choice_file_text.h"

#include "core/file_errors.h"
#include "platform/torvane_error.h"

#include <limits>

namespace {

constexpr QByteArrayView kLineEnd("\r\n");

bool isBlankOrControl(char c) {
    return quint8(c) <= 0x20;
}

qint64 parseCount(QByteArrayView token) {
    qsizetype i = 0;
    const bool negative = token.startsWith('-');
    if (negative || token.startsWith('+'))
        ++i;
    if (i == token.size())
        throw TorvaneError(kInvalidNumericInput);
    // Accumulated as a magnitude so that the most negative value still fits.
    const quint64 limit =
        negative ? quint64(std::numeric_limits<qint64>::max()) + 1 : quint64(std::numeric_limits<qint64>::max());
    quint64 magnitude = 0;
    for (; i < token.size(); ++i) {
        const char c = token[i];
        if (c < '0' || c > '9')
            throw TorvaneError(kInvalidNumericInput);
        const quint64 digit = quint64(c - '0');
        if (magnitude > (limit - digit) / 10)
            throw TorvaneError(kInvalidNumericInput);
        magnitude = magnitude * 10 + digit;
    }
    return negative ? qint64(0 - magnitude) : qint64(magnitude);
}

void appendRecord(QByteArray& out, QByteArrayView name, const ChoiceCounts& counts) {
    out.append(name).append(kLineEnd);
    for (qint64 count : counts)
        out.append(QByteArray::number(count)).append(kLineEnd);
}

ChoiceCounts countsWithOne(int code) {
    ChoiceCounts counts{};
    counts[code - 1] = 1;
    return counts;
}

} // namespace

int choiceCodeForDecision(ActionDecision decision) {
    const auto value = static_cast<int>(decision);
    if (value >= 1 && value <= 4)
        return value;
    return decision == ActionDecision::Ignore ? 5 : 0;
}

int mostPerformedCode(const ChoiceCounts& counts) {
    qint64 best = 0;
    int result = 0;
    for (int code = 1; code <= 5; ++code) {
        if (counts[code - 1] > best) {
            best = counts[code - 1];
            result = code;
        }
    }
    return result;
}

void ChoiceRecordReader::skipRestOfLine() {
    while (m_pos < m_text.size() && m_text[m_pos++] != '\n') {
    }
}

QByteArray ChoiceRecordReader::readName() {
    const qsizetype start = m_pos;
    while (m_pos < m_text.size() && m_text[m_pos] != '\r' && m_text[m_pos] != '\n')
        ++m_pos;
    const QByteArray name = m_text.sliced(start, m_pos - start).toByteArray();
    skipRestOfLine();
    return name;
}

qint64 ChoiceRecordReader::readCount() {
    while (m_pos < m_text.size() && isBlankOrControl(m_text[m_pos]))
        ++m_pos;
    if (atEnd())
        return 0;
    const qsizetype start = m_pos;
    while (m_pos < m_text.size() && !isBlankOrControl(m_text[m_pos]))
        ++m_pos;
    const qint64 count = parseCount(m_text.sliced(start, m_pos - start));
    skipRestOfLine();
    return count;
}

ChoiceCounts ChoiceRecordReader::readCounts() {
    ChoiceCounts counts{};
    for (qint64& count : counts)
        count = readCount();
    return counts;
}

ChoiceCounts findChoiceCounts(QByteArrayView text, const QByteArray& name) {
    ChoiceRecordReader reader(text);
    while (!reader.atEnd()) {
        const bool match = reader.readName() == name;
        const ChoiceCounts counts = reader.readCounts();
        if (match)
            return counts;
    }
    return ChoiceCounts{};
}

QByteArray addChoiceToText(QByteArrayView text, const QByteArray& name, int code) {
    QByteArray out;
    out.reserve(text.size() + name.size() + 32);
    ChoiceRecordReader reader(text);
    bool found = false;
    while (!reader.atEnd()) {
        const QByteArray recordName = reader.readName();
        ChoiceCounts counts = reader.readCounts();
        if (!found && recordName == name) {
            found = true;
            // Saturates rather than wrapping to the most negative count.
            if (counts[code - 1] < std::numeric_limits<qint64>::max())
                ++counts[code - 1];
        }
        appendRecord(out, recordName, counts);
    }
    if (!found)
        appendRecord(out, name, countsWithOne(code));
    return out;
}

QByteArray newChoiceText(const QByteArray& name, int code) {
    QByteArray out;
    appendRecord(out, kChoiceHeaderName, ChoiceCounts{});
    appendRecord(out, name, countsWithOne(code));
    return out;
}
