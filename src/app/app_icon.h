#pragma once

#include <QIcon>

// The program's icon (main window and tray): a shield, drawn rather than shipped.
QIcon torvaneIcon();
