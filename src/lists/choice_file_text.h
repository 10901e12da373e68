#pragma once

#include "core/task_decision.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>

// A choice file is text of six-line records: a task name, then how often each of the five
// actions (choice-file codes 1 to 5) was chosen for it. These functions work on the file's bytes.

using ChoiceCounts = std::array<qint64, 5>;

inline const QByteArray kChoiceHeaderName = QByteArrayLiteral("File created by Torvane");

// The choice-file code of a decision: 1 to 4 map to themselves, Ignore to 5, anything else to 0
// (nothing to count).
int choiceCodeForDecision(ActionDecision decision);

// The code with the largest count above 0, the lowest code on a tie; 0 when no count is above 0.
int mostPerformedCode(const ChoiceCounts& counts);

// Reads records in file order. A name is the whole line; a count is the next token, read across
// line ends, with the rest of its line ignored; at the end of the text a count reads as 0.
class ChoiceRecordReader {
public:
    explicit ChoiceRecordReader(QByteArrayView text) : m_text(text) {}

    bool atEnd() const { return m_pos >= m_text.size(); }
    QByteArray readName();
    // Throws TorvaneError "Invalid numeric input" for a token that is not a 64-bit whole number.
    qint64 readCount();
    ChoiceCounts readCounts();

private:
    void skipRestOfLine();

    QByteArrayView m_text;
    qsizetype m_pos = 0;
};

// The counts of the first record named `name` (UTF-8 bytes); zeros when there is none.
ChoiceCounts findChoiceCounts(QByteArrayView text, const QByteArray& name);

// The text with one more count of `code` for `name`: every record is copied in place, the first
// record of that name gets the count, and a new record is appended when there was none.
QByteArray addChoiceToText(QByteArrayView text, const QByteArray& name, int code);

// A new file: the header record followed by the name's record with one count of `code`.
QByteArray newChoiceText(const QByteArray& name, int code);
