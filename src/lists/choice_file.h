#pragma once

#include "lists/choice_file_text.h"

#include <QString>

// The choice files in the program folder: "MyChoice.dat" holds the user's own decisions and is
// the only one written; "CloudChoice.dat" comes from outside and is only read. Every function
// throws TorvaneError with the file error's text ("Invalid numeric input", "File access denied",
// "I/O error N") and a missing file is no error.

inline const QString kMyChoiceFileName = QStringLiteral("MyChoice.dat");
inline const QString kCloudChoiceFileName = QStringLiteral("CloudChoice.dat");
// A larger choice file is refused with an error instead of being read whole.
constexpr qint64 kChoiceFileSizeLimit = 64LL * 1024 * 1024;

// The whole text of the choice file at path; a missing file is an error here.
QByteArray ReadChoiceFileText(const QString& path);

// The five counts of the name's first record in the file at path; zeros for an empty name, a
// missing file or a name without a record.
ChoiceCounts ReadChoiceCounts(const QString& name, const QString& path);

// The choice-file code (1 to 5) of the name's most frequent action, or 0; baseDir ends with "/".
int MostPerformedByMe(const QString& name, const QString& baseDir);
int MostPerformedByCloud(const QString& name, const QString& baseDir);

// Counts one decision for the name in the file at path, creating the file with its header
// when missing. The new text is written to path + ".tmp" and renamed over the file, so a failure
// at any point leaves the old file whole. An empty name, a name holding a line break (it would
// split its record) and a decision without a choice-file code are not counted.
void RecordChoice(ActionDecision decision, const QString& name, const QString& path);
