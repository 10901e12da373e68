#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace help {

// One entry of the help index: the title shown in the list and its text file, relative to the help folder.
struct HelpTopic {
    QString title;
    QString fileName;

    bool operator==(const HelpTopic&) const = default;
};

// The index is made of line pairs, title then file name, read until the end of the data; a last title
// without a following line gets an empty file name. Lines end at CR LF, LF or a lone CR.
QList<HelpTopic> parseHelpIndex(const QByteArray& data);

// A topic file as the text view shows it: every character kept, each line end (CR LF, LF or CR) one
// line break of the view.
QString topicDisplayText(const QByteArray& data);

// Upper case for the title search: only the letters a to z change, everything else compares as it is.
QString asciiUpper(const QString& text);

// The title "Find Next" selects: the lowest match above `current` (-1 = nothing selected), else, when a
// title is selected, the lowest match from the top up to and including `current`. -1 when nothing
// matches; an empty search text matches nothing.
int findNextTitle(const QStringList& titles, const QString& text, int current);

} // namespace help
