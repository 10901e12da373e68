#pragma once

#include <QByteArrayView>
#include <QString>

namespace platform::x11 {

// How the bytes of a text property are encoded (the property's type).
enum class TextEncoding { Utf8, Latin1, CompoundText };

// Titles are kept to this many UTF-16 code units, as the program's title buffer holds.
inline constexpr int MaxTitleLength = 256;

// The text of a property, up to its first zero byte.
QString decodeTextProperty(QByteArrayView bytes, TextEncoding encoding);

// ISO 2022 compound text: the ISO 8859 right halves, the JIS, GB, KS and CNS sets, UTF-8 and extended
// segments in any encoding glibc converts. Characters of other sets become U+FFFD.
QString decodeCompoundText(QByteArrayView bytes);

// At most MaxTitleLength code units; a cut never leaves half a surrogate pair behind.
QString cutTitle(QString title);

} // namespace platform::x11
