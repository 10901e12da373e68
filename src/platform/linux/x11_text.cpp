#include "platform/linux/x11_text.h"

namespace platform::x11 {

namespace {

constexpr char Esc = 0x1b;
constexpr unsigned char Csi = 0x9b;
constexpr char16_t Replacement = 0xfffd;

// A character set designated into GL (bytes 0x20-0x7f) or GR (bytes 0xa0-0xff).
enum class Charset { Ascii, Latin1High, Unknown };

struct CharsetState {
    Charset set = Charset::Ascii;
    int width = 1; // bytes per character, for sets that are only skipped
};

// Skips an escape or control sequence: intermediates 0x20-0x2f up to one final byte.
qsizetype sequenceEnd(QByteArrayView bytes, qsizetype from, unsigned char firstFinal) {
    qsizetype i = from;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i++]);
        if (c >= firstFinal && c <= 0x7e)
            break;
    }
    return i;
}

void appendFromSet(QString& out, const CharsetState& state, QByteArrayView bytes, qsizetype& i, bool high) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    switch (state.set) {
    case Charset::Ascii:
        out += high ? QChar(Replacement) : QChar(c);
        ++i;
        return;
    case Charset::Latin1High:
        out += high ? QChar(c) : QChar(c & 0x7f);
        ++i;
        return;
    case Charset::Unknown:
        out += QChar(Replacement);
        i += state.width;
        return;
    }
}

} // namespace

QString decodeTextProperty(QByteArrayView bytes, TextEncoding encoding) {
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes = bytes.first(zero);
    switch (encoding) {
    case TextEncoding::Utf8:
        return QString::fromUtf8(bytes);
    case TextEncoding::Latin1:
        return QString::fromLatin1(bytes);
    case TextEncoding::CompoundText:
        return decodeCompoundText(bytes);
    }
    return {};
}

QString decodeCompoundText(QByteArrayView bytes) {
    QString out;
    CharsetState gl;                         // initial state: ASCII in GL
    CharsetState gr{Charset::Latin1High, 1}; // and the right half of Latin-1 in GR
    qsizetype i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == Esc) {
            const qsizetype end = sequenceEnd(bytes, i + 1, 0x30);
            const QByteArrayView seq = bytes.sliced(i + 1, end - i - 1);
            i = end;
            if (seq == "%G") { // UTF-8 up to ESC % @
                qsizetype stop = bytes.indexOf(QByteArrayView("\x1b%@"), i);
                if (stop < 0)
                    stop = bytes.size();
                out += QString::fromUtf8(bytes.sliced(i, stop - i));
                i = qMin(stop + 3, bytes.size());
            } else if (seq.size() == 2 && seq[0] == '(') {
                gl = seq[1] == 'B' || seq[1] == 'J' ? CharsetState{} : CharsetState{Charset::Unknown, 1};
            } else if (seq.size() == 2 && seq[0] == ')') {
                gr = CharsetState{Charset::Unknown, 1};
            } else if (seq.size() == 2 && seq[0] == '-') {
                gr = seq[1] == 'A' ? CharsetState{Charset::Latin1High, 1} : CharsetState{Charset::Unknown, 1};
            } else if (seq.size() == 3 && seq[0] == '$') {
                CharsetState wide{Charset::Unknown, 2};
                (seq[1] == '(' ? gl : gr) = wide;
            }
            continue;
        }
        if (c == Csi) { // direction and other control sequences carry no characters
            i = sequenceEnd(bytes, i + 1, 0x40);
            continue;
        }
        if (c == '\t' || c == '\n') {
            out += QChar(c);
            ++i;
        } else if (c >= 0x20 && c < 0x80) {
            appendFromSet(out, gl, bytes, i, false);
        } else if (c >= 0xa0) {
            appendFromSet(out, gr, bytes, i, true);
        } else {
            ++i; // other controls are not text
        }
    }
    return out;
}

QString cutTitle(QString title) {
    if (title.size() > MaxTitleLength) {
        title.truncate(MaxTitleLength);
        if (title.back().isHighSurrogate())
            title.chop(1);
    }
    return title;
}

} // namespace platform::x11
