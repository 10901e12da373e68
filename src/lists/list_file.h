#pragma once

#include "core/task_list.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// What a load does to the two lists. The controller empties and refills a list only when its
// replaces... flag is set (appending through the list's own insertion, so sorting still applies),
// and raises `error` as a TorvaneError afterwards when it is not empty.
struct ListFileSections {
    TaskList safe;
    TaskList kill;
    bool replacesSafe = true;
    bool replacesKill = true;
    QString error; // "List index out of bounds (N)" when a section lacks its separator

    void throwIfError() const;
    // A file without a single item, as a load of a missing file leaves it: two empty lists.
    bool holdsNoItems() const { return error == QStringLiteral("List index out of bounds (0)"); }
};

inline const QString kDefaultListFileName = QStringLiteral("AllLists.sav");

// baseDir ends with "/".
QString defaultListFilePath(const QString& baseDir);

// Lists an administrator gives new users: the first "torvane/AllLists.sav" in the folders of
// `configDirs`, read as $XDG_CONFIG_DIRS (":"-separated, "/etc/xdg" when empty, relative folders
// ignored); empty when no folder has one.
QString presetListFilePath(const QString& configDirs);

// The staged items of a save: the safe names, the separator, the kill names, the separator.
QStringList stageListItems(const TaskList& safe, const TaskList& kill);

// Splits staged items at the separators; items after the second one are ignored. Entries get
// window handle 0, since the file stores names only.
ListFileSections splitListItems(const QStringList& items);

QByteArray encodeListFile(const TaskList& safe, const TaskList& kill);

// Throws TorvaneError for a malformed stream (the lists are then to stay unchanged); a missing
// separator is reported in the result instead, since the lists change up to that point.
ListFileSections decodeListFile(QByteArrayView bytes);

// Writes the lists through a temporary in the same folder renamed over the old file, so a failed
// save leaves the previous file whole. Throws TorvaneError "Cannot create file ...".
void saveListFile(const QString& path, const TaskList& safe, const TaskList& kill);

// Reads the list file at path. A missing file is created holding no items and both lists stay
// as they are (both replaces... flags false). Throws TorvaneError for a file that cannot be
// created or opened, or a malformed stream.
ListFileSections loadListFile(const QString& path);
