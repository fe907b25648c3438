#include "app/radiobutton.h"

#include "app/eventguard.h"

RadioButton::RadioButton(QWidget *parent) : QRadioButton(parent)
{
    setFocusPolicy(Qt::ClickFocus);
    connect(this, &QAbstractButton::toggled, this, &RadioButton::onToggled);
}

void RadioButton::setChecked(bool checked)
{
    QRadioButton::setChecked(checked);
    rethrowPendingError();
}

void RadioButton::onToggled(bool checked)
{
    setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
    if (checked)
        Q_EMIT becameChecked();
}
