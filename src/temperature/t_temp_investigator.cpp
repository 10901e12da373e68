#include "temperature/t_temp_investigator.h"

TTempInvestigator::TTempInvestigator(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("TempInvestigator"));
    setWindowTitle(QStringLiteral("TempInvestigator"));
    resize(561, 269);
    move(0, 0);
    winId();
}
