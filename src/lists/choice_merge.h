#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Merging choice files, so that a team can build one "CloudChoice.dat" from its members'
// "MyChoice.dat" files.

// One choice-file text whose counts are the sums of the texts' counts. A name's counts in one
// text are those of its first record; the header record comes first, then every other name once,
// in the order first seen. Throws TorvaneError "Invalid numeric input" for a text that is not a
// choice file and when a sum does not fit in 64 bits.
QByteArray mergeChoiceTexts(const QList<QByteArray>& texts);

// Reads the input files in the given order and replaces `outPath` with their merge through a
// temporary, so the output is never partly written. Throws TorvaneError naming the file at fault;
// nothing is written then.
void MergeChoiceFiles(const QString& outPath, const QStringList& inputPaths);
