#include "lists/list_commands_logic.h"

#include <algorithm>

bool containsSameTask(const TaskList& list, const TaskEntry& task) {
    return std::any_of(list.begin(), list.end(), [&task](const TaskEntry& e) {
        return (task.handle != 0 && e.handle == task.handle) || e.title == task.title;
    });
}

QString asciiUpperCase(QStringView text) {
    QString folded = text.toString();
    for (QChar& c : folded) {
        const char16_t u = c.unicode();
        if (u >= u'a' && u <= u'z')
            c = QChar(char16_t(u - u'a' + u'A'));
    }
    return folded;
}

namespace {

// `foldedText` is already folded and not empty.
bool matchesFolded(QStringView title, const QString& foldedText) {
    return asciiUpperCase(title).contains(foldedText, Qt::CaseSensitive);
}

} // namespace

bool searchMatches(QStringView title, QStringView text) {
    return !text.isEmpty() && matchesFolded(title, asciiUpperCase(text));
}

int findNextMatch(const TaskList& list, QStringView text, int current) {
    if (text.isEmpty())
        return -1;
    const QString folded = asciiUpperCase(text);
    const int count = static_cast<int>(list.size());
    if (current < -1 || current >= count)
        current = -1;
    for (int i = current + 1; i < count; ++i)
        if (matchesFolded(list[static_cast<std::size_t>(i)].title, folded))
            return i;
    for (int i = 0; i <= current; ++i)
        if (matchesFolded(list[static_cast<std::size_t>(i)].title, folded))
            return i;
    return -1;
}
