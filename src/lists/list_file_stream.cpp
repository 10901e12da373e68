#include "lists/list_file_stream.h"

#include "platform/torvane_error.h"

#include <QtEndian>

#include <algorithm>

namespace {

// Value-type bytes of the object stream.
enum ValueType : quint8 {
    vaNull = 0x00,
    vaList = 0x01,
    vaInt8 = 0x02,
    vaInt16 = 0x03,
    vaInt32 = 0x04,
    vaExtended = 0x05,
    vaString = 0x06,
    vaIdent = 0x07,
    vaFalse = 0x08,
    vaTrue = 0x09,
    vaBinary = 0x0A,
    vaSet = 0x0B,
    vaLString = 0x0C,
    vaNil = 0x0D,
    vaCollection = 0x0E,
    vaSingle = 0x0F,
    vaCurrency = 0x10,
    vaDate = 0x11,
    vaWString = 0x12,
    vaInt64 = 0x13,
    vaUtf8String = 0x14,
};

constexpr QByteArrayView kSignature("TPF0");
constexpr QByteArrayView kClassName("TListBox");
const QString kObjectName = QStringLiteral("tmpBox");
const QString kItemsProperty = QStringLiteral("Items.Strings");
// Lists nested inside an unknown property are skipped recursively; deeper ones are refused so a
// hostile file cannot exhaust the stack.
constexpr int kMaxSkipDepth = 32;

class StreamWriter {
public:
    QByteArray bytes;

    void byte(quint8 b) { bytes.append(char(b)); }
    void u16(quint16 v) {
        byte(quint8(v));
        byte(quint8(v >> 8));
    }
    void u32(quint32 v) {
        u16(quint16(v));
        u16(quint16(v >> 16));
    }
    void shortString(QByteArrayView text) {
        byte(quint8(text.size()));
        bytes.append(text);
    }
    void integer(QByteArrayView name, qint32 value) {
        shortString(name);
        if (value >= -128 && value <= 127) {
            byte(vaInt8);
            byte(quint8(value));
        } else if (value >= -32768 && value <= 32767) {
            byte(vaInt16);
            u16(quint16(value));
        } else {
            byte(vaInt32);
            u32(quint32(value));
        }
    }
    void item(const QString& text) {
        const QByteArray utf8 = text.toUtf8();
        const qsizetype units = text.size();
        // A lone surrogate (a title cut inside a pair) has no UTF-8 form; UTF-16 keeps it exact.
        if (utf8.size() < 2 * units && text.isValidUtf16()) {
            const bool wide = std::any_of(utf8.begin(), utf8.end(), [](char c) { return quint8(c) >= 0x80; });
            if (wide) {
                byte(vaUtf8String);
                u32(quint32(utf8.size()));
            } else if (utf8.size() > 255) {
                byte(vaLString);
                u32(quint32(utf8.size()));
            } else {
                byte(vaString);
                byte(quint8(utf8.size()));
            }
            bytes.append(utf8);
            return;
        }
        byte(vaWString);
        u32(quint32(units));
        for (QChar c : text)
            u16(c.unicode());
    }
};

class StreamReader {
public:
    explicit StreamReader(QByteArrayView data) : m_data(data) {}

    qsizetype remaining() const { return m_data.size() - m_pos; }

    quint8 peek() const {
        if (remaining() < 1)
            throw TorvaneError(kStreamReadError);
        return quint8(m_data[m_pos]);
    }
    quint8 byte() {
        const quint8 b = peek();
        ++m_pos;
        return b;
    }
    QByteArrayView take(quint64 count) {
        if (count > quint64(remaining()))
            throw TorvaneError(kStreamReadError);
        const QByteArrayView part = m_data.sliced(m_pos, qsizetype(count));
        m_pos += qsizetype(count);
        return part;
    }
    quint32 u32() { return qFromLittleEndian<quint32>(take(4).data()); }
    QByteArrayView shortString() { return take(byte()); }

    QString stringValue() {
        switch (byte()) {
        case vaString:
            return QString::fromUtf8(take(byte()));
        case vaLString:
        case vaUtf8String:
            return QString::fromUtf8(take(u32()));
        case vaWString: {
            const QByteArrayView raw = take(quint64(u32()) * 2);
            QString text(raw.size() / 2, Qt::Uninitialized);
            for (qsizetype i = 0; i < text.size(); ++i)
                text[i] = QChar(qFromLittleEndian<quint16>(raw.data() + 2 * i));
            return text;
        }
        default:
            throw TorvaneError(kInvalidPropertyValue);
        }
    }

    QStringList stringList() {
        if (byte() != vaList)
            throw TorvaneError(kInvalidPropertyValue);
        QStringList items;
        while (peek() != vaNull)
            items.append(stringValue());
        byte();
        return items;
    }

    void skipValue(int depth) {
        switch (byte()) {
        case vaNull:
        case vaFalse:
        case vaTrue:
        case vaNil:
            return;
        case vaList:
            if (depth >= kMaxSkipDepth)
                throw TorvaneError(kInvalidPropertyValue);
            while (peek() != vaNull)
                skipValue(depth + 1);
            byte();
            return;
        case vaInt8:
            take(1);
            return;
        case vaInt16:
            take(2);
            return;
        case vaInt32:
        case vaSingle:
            take(4);
            return;
        case vaInt64:
        case vaCurrency:
        case vaDate:
            take(8);
            return;
        case vaExtended:
            take(10);
            return;
        case vaString:
        case vaIdent:
            shortString();
            return;
        case vaSet:
            for (quint8 length = byte(); length != 0; length = byte())
                take(length);
            return;
        case vaBinary:
        case vaLString:
        case vaUtf8String:
            take(u32());
            return;
        case vaWString:
            take(quint64(u32()) * 2);
            return;
        default:
            throw TorvaneError(kInvalidPropertyValue);
        }
    }

private:
    QByteArrayView m_data;
    qsizetype m_pos = 0;
};

} // namespace

QByteArray encodeListStream(const QStringList& items) {
    StreamWriter w;
    w.bytes.append(kSignature);
    w.shortString(kClassName);
    w.shortString(kObjectName.toUtf8());
    w.integer("Left", 951);
    w.integer("Top", 0);
    w.integer("Width", 33);
    w.integer("Height", 33);
    w.integer("ItemHeight", 13);
    if (!items.isEmpty()) {
        w.shortString(kItemsProperty.toUtf8());
        w.byte(vaList);
        for (const QString& item : items)
            w.item(item);
        w.byte(vaNull);
    }
    w.integer("TabOrder", 11);
    w.shortString("Visible");
    w.byte(vaFalse);
    w.byte(vaNull); // end of properties
    w.byte(vaNull); // end of children
    return w.bytes;
}

QStringList decodeListStream(QByteArrayView bytes) {
    StreamReader r(bytes);
    if (r.take(4) != kSignature)
        throw TorvaneError(kInvalidStreamFormat);
    r.shortString(); // class name, not checked
    r.shortString(); // object name, not checked: the values are read into tmpBox whatever it says
    QStringList items;
    while (r.peek() != vaNull) {
        const QString property = QString::fromUtf8(r.shortString());
        try {
            if (property == kItemsProperty)
                items = r.stringList();
            else
                r.skipValue(0);
        } catch (const TorvaneError& e) {
            throw TorvaneError(QStringLiteral("Error reading ") + kObjectName + QLatin1Char('.') + property +
                               QStringLiteral(": ") + e.text());
        }
    }
    r.byte();
    // A list box owns no child objects; anything here is not a list file.
    if (r.byte() != vaNull)
        throw TorvaneError(kInvalidStreamFormat);
    return items;
}
