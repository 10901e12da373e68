#pragma once

#include <QString>
#include <optional>

// The public address in the body of the address page: the text after "Address:" and the one
// character following it (normally a blank), up to the next "<" or the end of the body. Nothing
// when the body holds no "Address:" at all.
std::optional<QString> extractAddress(const QString& body);
