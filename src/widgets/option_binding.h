#pragma once

#include <QString>

class QAbstractButton;
class QAction;
class QLineEdit;
class SpinEdit;

// Keeps a plain option value equal to its control, so that logic reads the option and never the
// widget. The option takes the control's state at once and on every change; bind a control before
// connecting its handlers, so a handler reached by the same change already reads the new value.
// Setting the control from code (a loaded setting, a reaction) updates the option the same way and
// still runs the control's handlers.
namespace bind {

void checked(QAbstractButton* box, bool& option);
void checked(QAction* item, bool& option);
// The text as typed: logic that needs a number reads it through its digits when it needs it.
void text(SpinEdit* field, QString& option);
void text(QLineEdit* field, QString& option);

} // namespace bind
