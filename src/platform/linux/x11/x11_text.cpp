#include "platform/linux/x11/x11_text.h"

#include <cerrno>
#include <iconv.h>

namespace platform::x11 {

namespace {

constexpr char Esc = 0x1b;
constexpr unsigned char Csi = 0x9b;
constexpr char16_t Replacement = 0xfffd;

// A character set designated into GL (bytes 0x20-0x7f) or GR (bytes 0xa0-0xff). Each character's
// bytes are brought into the form `codec` reads: `prefix`, then the bytes with the high bit set
// (the EUC form of the double-byte sets) or cleared.
struct Charset {
    enum Kind { Ascii, JisRoman, Latin1High, Converted, Unknown };
    constexpr Charset(Kind kind = Ascii, int width = 1, const char* codec = nullptr, QByteArrayView prefix = {},
                      bool highBit = true)
        : kind(kind), width(width), codec(codec), prefix(prefix), highBit(highBit) {}

    Kind kind;
    int width; // bytes per character
    const char* codec;
    QByteArrayView prefix;
    bool highBit;
};

constexpr Charset UnknownSet{Charset::Unknown};

// ESC ( F and ESC ) F: sets of 94 one-byte characters.
Charset set94(char final) {
    switch (final) {
    case 'B':
        return {Charset::Ascii};
    case 'J': // JIS X 0201 Roman: ASCII with a yen sign and an overline
        return {Charset::JisRoman};
    case 'I': // JIS X 0201 Katakana
        return {Charset::Converted, 1, "EUC-JP", "\x8e"};
    default:
        return UnknownSet;
    }
}

// ESC - F: right halves of the ISO 8859 parts.
Charset set96(char final) {
    static constexpr struct {
        char final;
        const char* codec;
    } parts[] = {{'B', "ISO-8859-2"},  {'C', "ISO-8859-3"}, {'D', "ISO-8859-4"},  {'L', "ISO-8859-5"},
                 {'G', "ISO-8859-6"},  {'F', "ISO-8859-7"}, {'H', "ISO-8859-8"},  {'M', "ISO-8859-9"},
                 {'V', "ISO-8859-10"}, {'T', "TIS-620"},    {'Y', "ISO-8859-13"}, {'_', "ISO-8859-14"},
                 {'b', "ISO-8859-15"}, {'f', "ISO-8859-16"}};
    if (final == 'A')
        return {Charset::Latin1High};
    for (const auto& part : parts)
        if (part.final == final)
            return {Charset::Converted, 1, part.codec};
    return UnknownSet;
}

// ESC $ ( F and ESC $ ) F: sets of 94 x 94 characters.
Charset set94x94(char final) {
    switch (final) {
    case 'A':
        return {Charset::Converted, 2, "EUC-CN"}; // GB 2312
    case 'B':
    case '@':
        return {Charset::Converted, 2, "EUC-JP"}; // JIS X 0208
    case 'C':
        return {Charset::Converted, 2, "EUC-KR"}; // KS C 5601
    case 'D':
        return {Charset::Converted, 2, "EUC-JP", "\x8f"}; // JIS X 0212
    case 'G':
        return {Charset::Converted, 2, "EUC-TW"}; // CNS 11643 plane 1
    case 'H':
        return {Charset::Converted, 2, "EUC-TW", "\x8e\xa2"}; // plane 2
    default:
        return {Charset::Unknown, 2};
    }
}

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

// Through glibc's converters, which need no locale. A character the set does not hold, or a
// converter that is missing, gives U+FFFD for that character.
QString convert(const char* codec, QByteArrayView bytes, int charBytes) {
    const iconv_t cd = iconv_open("UTF-8", codec);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return QString(bytes.size() / qMax(charBytes, 1), QChar(Replacement));
    QByteArray utf8;
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char buffer[512];
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
        utf8.append(buffer, out - buffer);
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            utf8 += "\xef\xbf\xbd";
            const std::size_t skip = qMin<std::size_t>(qMax(charBytes, 1), inLeft);
            in += skip;
            inLeft -= skip;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return QString::fromUtf8(utf8);
}

// Consecutive characters of one converted set go through the converter together.
class Decoder {
public:
    QString& text() {
        flush();
        return m_out;
    }

    void append(const Charset& set, QByteArrayView bytes, qsizetype& i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        switch (set.kind) {
        case Charset::Ascii:
            appendChar(QChar(c & 0x7f));
            ++i;
            return;
        case Charset::JisRoman:
            appendChar((c & 0x7f) == 0x5c ? QChar(0xa5) : (c & 0x7f) == 0x7e ? QChar(0x203e) : QChar(c & 0x7f));
            ++i;
            return;
        case Charset::Latin1High:
            appendChar(QChar(c | 0x80));
            ++i;
            return;
        case Charset::Unknown:
            appendChar(QChar(Replacement));
            i += set.width;
            return;
        case Charset::Converted:
            break;
        }
        const int charBytes = set.width + int(set.prefix.size());
        if (m_codec != set.codec || m_width != charBytes)
            flush();
        m_codec = set.codec;
        m_width = charBytes;
        m_pending.append(set.prefix);
        for (int k = 0; k < set.width; ++k, ++i) {
            const auto b = i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0;
            m_pending += char(set.highBit ? b | 0x80 : b & 0x7f);
        }
    }

    void appendChar(QChar c) {
        flush();
        m_out += c;
    }

    void appendText(const QString& text) {
        flush();
        m_out += text;
    }

private:
    void flush() {
        if (!m_pending.isEmpty())
            m_out += convert(m_codec, m_pending, m_width);
        m_pending.clear();
        m_codec = nullptr;
    }

    QString m_out;
    QByteArray m_pending;
    const char* m_codec = nullptr;
    int m_width = 1;
};

// ESC % / F M L: a segment of `length` bytes in an encoding it names ("big5-0", "koi8-r"), the name
// ending with STX.
void decodeExtendedSegment(Decoder& out, QByteArrayView segment, int charBytes) {
    const qsizetype stx = segment.indexOf('\x02');
    if (stx < 0) {
        out.appendChar(QChar(Replacement));
        return;
    }
    QByteArray name = segment.first(stx).toByteArray();
    if (name.endsWith("-0"))
        name.chop(2);
    out.appendText(convert(name.constData(), segment.sliced(stx + 1), charBytes));
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
    Decoder out;
    Charset gl;                      // initial state: ASCII in GL
    Charset gr{Charset::Latin1High}; // and the right half of Latin-1 in GR
    bool grHas96 = true;             // a set of 96 also uses 0xa0 and 0xff
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
                out.appendText(QString::fromUtf8(bytes.sliced(i, stop - i)));
                i = qMin(stop + 3, bytes.size());
            } else if (seq.size() == 3 && seq.startsWith("%/") && seq[2] >= '0' && seq[2] <= '4') {
                if (i + 2 > bytes.size())
                    break;
                const qsizetype length = ((bytes[i] & 0x7f) << 7) | (bytes[i + 1] & 0x7f);
                const qsizetype from = i + 2;
                i = qMin(from + length, bytes.size());
                decodeExtendedSegment(out, bytes.sliced(from, i - from), seq[2] - '0');
            } else if (seq.size() == 2 && seq[0] == '(') {
                gl = set94(seq[1]);
            } else if (seq.size() == 2 && seq[0] == ')') {
                gr = set94(seq[1]);
                grHas96 = false;
            } else if (seq.size() == 2 && seq[0] == '-') {
                gr = set96(seq[1]);
                grHas96 = true;
            } else if (seq.size() == 3 && seq[0] == '$' && (seq[1] == '(' || seq[1] == ')')) {
                (seq[1] == '(' ? gl : gr) = set94x94(seq[2]);
                grHas96 = grHas96 && seq[1] == '(';
            } else if (seq.size() == 2 && seq[0] == '$') { // the short form of JIS X 0208 and GB 2312 into GL
                gl = set94x94(seq[1]);
            }
            continue;
        }
        if (c == Csi) { // direction and other control sequences carry no characters
            i = sequenceEnd(bytes, i + 1, 0x40);
            continue;
        }
        if (c == '\t' || c == '\n' || c == ' ') {
            out.appendChar(QChar(c));
            ++i;
        } else if (c > 0x20 && c < 0x7f) {
            out.append(gl, bytes, i);
        } else if (c > 0xa0 && c < 0xff) {
            out.append(gr, bytes, i);
        } else if (c == 0xa0 || c == 0xff) {
            if (grHas96) {
                out.append(gr, bytes, i);
            } else {
                out.appendChar(QChar(Replacement));
                ++i;
            }
        } else {
            ++i; // other controls are not text
        }
    }
    return out.text();
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
