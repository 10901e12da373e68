#include "widgets/option_binding.h"

#include "widgets/spin_edit.h"

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>

namespace bind {

void checked(QAbstractButton* box, bool& option) {
    option = box->isChecked();
    QObject::connect(box, &QAbstractButton::toggled, box, [&option](bool on) { option = on; });
}

void checked(QAction* item, bool& option) {
    option = item->isChecked();
    QObject::connect(item, &QAction::toggled, item, [&option](bool on) { option = on; });
}

void text(SpinEdit* field, QString& option) {
    option = field->text();
    QObject::connect(field, &SpinEdit::changed, field, [&option, field] { option = field->text(); });
}

void text(QLineEdit* field, QString& option) {
    option = field->text();
    QObject::connect(field, &QLineEdit::textChanged, field, [&option](const QString& text) { option = text; });
}

} // namespace bind
