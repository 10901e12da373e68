#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// The list file is a one-object stream describing the hidden list `tmpBox`; its item list carries
// both lists. This codec knows only the stream and the items, not what the items mean.

// The line that closes each section of the item list.
inline const QString kListSeparator = QStringLiteral("!!!!!ENDLIST!!!!!");

// The texts a malformed stream is reported with (wrapped in "Error reading tmpBox.<property>: "
// when met inside a property value).
inline const QString kInvalidStreamFormat = QStringLiteral("Invalid stream format");
inline const QString kStreamReadError = QStringLiteral("Stream read error");
inline const QString kInvalidPropertyValue = QStringLiteral("Invalid property value");

// The stream of `tmpBox` holding the items, in order. Without items the item-list entry is left
// out, which is the stream a load writes for a missing file.
QByteArray encodeListStream(const QStringList& items);

// The items of the stream's item list in file order; none when the stream has no item list.
// Throws TorvaneError with the reader's exact text on a malformed stream. Any bytes are safe:
// every count and length is checked against the bytes that remain.
QStringList decodeListStream(QByteArrayView bytes);
