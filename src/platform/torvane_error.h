#pragma once

#include <QString>
#include <stdexcept>

// The one error type of the program: it carries the exact text the general error report shows.
class TorvaneError : public std::runtime_error {
public:
    explicit TorvaneError(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString& text() const { return m_text; }

private:
    QString m_text;
};
