#pragma once

#include <QString>

// The text a file error carries to the general error report, from the system's error number.
QString fileErrorText(int errnoValue);

inline const QString kReadBeyondEndOfFile = QStringLiteral("Read beyond end of file");
inline const QString kInvalidNumericInput = QStringLiteral("Invalid numeric input");
