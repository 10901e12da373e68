#pragma once

#include <QString>

// The program's reverse-DNS id: the name of its desktop entry, AppStream data, icon, autostart file
// and session bus name.
inline const QString kAppId = QStringLiteral(TORVANE_APP_ID);
