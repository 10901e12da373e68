#include "support/literal_recognition.h"

#include <cmath>

namespace literal {

namespace {

// U+FFFD stands for a character that could not be decoded: it matches nothing, not even itself.
bool undecodable(const QString& text) {
    return text.contains(QChar(0xFFFD));
}

// An empty text occurs nowhere and nothing occurs in an empty text.
bool occursIn(const QString& needle, const QString& haystack) {
    if (needle.isEmpty() || haystack.isEmpty() || undecodable(needle))
        return false;
    return haystack.indexOf(needle, 0, Qt::CaseSensitive) >= 0;
}

std::int64_t rounded(std::int64_t percent, std::int64_t length) {
    long double q = percent;
    q = q / 100.0L;
    long double product = q * static_cast<long double>(length);
    return static_cast<std::int64_t>(std::nearbyint(product));
}

// Runs of `from` of at least `shortest` + 1 characters, starting at 1 .. lastStart, searched in `in`.
bool anyRunOccurs(const QString& from, const QString& in, std::int64_t lastStart, std::int64_t shortest) {
    const std::int64_t len = from.size();
    for (std::int64_t c = 1; c <= lastStart; ++c)
        for (std::int64_t e = shortest; e <= len - c; ++e)
            if (occursIn(SubText(from, c, c + e), in))
                return true;
    return false;
}

} // namespace

QString SubText(const QString& s, std::int64_t from, std::int64_t to) {
    if (to < from)
        return QString();
    return s.mid(static_cast<qsizetype>(from - 1), static_cast<qsizetype>(to - from + 1));
}

QString LimitNameLength(const QString& s, std::int64_t n) {
    if (s.size() > n) {
        if (n <= 0)
            return QString();
        return SubText(s, 1, n);
    }
    return s;
}

int FindTaskByName(const TaskList& list, const QString& name) {
    int r = -1;
    if (undecodable(name))
        return r;
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].title.size() == name.size() && list[i].title == name)
            r = static_cast<int>(i);
    return r;
}

int FindTaskByHandle(const TaskList& list, LookupHandle handle) {
    int r = -1;
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].handle == handle)
            r = static_cast<int>(i);
    return r;
}

bool ResembleByCount(const QString& x, const QString& y, std::int64_t a, const RecognitionOptions& options) {
    const std::int64_t lx = x.size();
    const std::int64_t ly = y.size();
    bool r = occursIn(x, y) || occursIn(y, x);
    if (!r)
        r = anyRunOccurs(x, y, lx - a, a);
    if (!r)
        r = anyRunOccurs(y, x, ly - a, a);
    if (options.lengthFilter)
        if (lx <= a || ly <= a)
            r = false;
    if (options.minimumLengthFilter) {
        const std::int64_t n = options.minimumLength.value();
        if (lx <= n || ly <= n)
            r = false;
    }
    return r;
}

bool ResembleByPercent(const QString& x, const QString& y, std::int64_t p, const RecognitionOptions& options) {
    const std::int64_t lx = x.size();
    const std::int64_t ly = y.size();
    bool r = false;
    const std::int64_t k = rounded(p, lx);
    if (anyRunOccurs(x, y, lx, k))
        r = true;
    const std::int64_t k2 = rounded(p, ly);
    if (!r && anyRunOccurs(y, x, ly, k2))
        r = true;
    if (options.lengthFilter) {
        if (lx <= rounded(100 - p, ly))
            r = false;
        if (ly <= rounded(100 - p, lx))
            r = false;
    }
    if (options.minimumLengthFilter) {
        const std::int64_t n = options.minimumLength.value();
        if (lx < n || ly < n)
            r = false;
    }
    return r;
}

bool NamesResemble(const QString& x, const QString& y, const RecognitionOptions& options) {
    const std::int64_t a = options.runLength.value();
    if (options.percentMode)
        return ResembleByPercent(x, y, a, options);
    return ResembleByCount(x, y, a, options);
}

int FindTask(const TaskList& list, const QString& name, LookupHandle handle, const RecognitionOptions& options) {
    int r = -1;
    if (!name.isEmpty())
        r = FindTaskByName(list, name);
    if (r == -1 && handle != 0)
        r = FindTaskByHandle(list, handle);
    if (r == -1 && handle != 0 && options.cleverProcessing && !list.empty())
        for (std::size_t i = 0; i < list.size(); ++i)
            if (NamesResemble(list[i].title, name, options))
                r = static_cast<int>(i);
    return r;
}

bool AddTaskIfAbsent(TaskList& list, const QString& name, platform::WindowHandle handle,
                     const RecognitionOptions& options) {
    if (FindTask(list, name, kNoHandleMarker, options) != -1)
        return false;
    list.push_back({name, handle});
    return true;
}

} // namespace literal
