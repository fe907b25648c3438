#include "app/comboboxaccessible.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

ComboBoxAccessible::ComboBoxAccessible(QComboBox *box)
    : QAccessibleWidget(box, QAccessible::ComboBox)
{}

QComboBox *ComboBoxAccessible::box() const
{
    return static_cast<QComboBox *>(widget());
}

int ComboBoxAccessible::childCount() const
{
    return box()->lineEdit() ? 2 : 1;
}

QAccessibleInterface *ComboBoxAccessible::child(int index) const
{
    if (index == 0)
        return QAccessible::queryAccessibleInterface(box()->view());
    if (index == 1 && box()->lineEdit())
        return QAccessible::queryAccessibleInterface(box()->lineEdit());
    return nullptr;
}

int ComboBoxAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (child->object() == box()->view())
        return 0;
    if (box()->lineEdit() && child->object() == box()->lineEdit())
        return 1;
    return -1;
}

QAccessibleInterface *ComboBoxAccessible::focusChild() const
{
    // The box keeps the keyboard focus for its edit part; a screen reader should land in the edit.
    return box()->lineEdit() ? child(1) : nullptr;
}

QString ComboBoxAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return box()->currentText();
    return QAccessibleWidget::text(t);
}

QAccessible::State ComboBoxAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.expandable = true;
    state.expanded = box()->view()->isVisible();
    state.editable = box()->isEditable();
    return state;
}

QStringList ComboBoxAccessible::actionNames() const
{
    return {showMenuAction(), pressAction()};
}

void ComboBoxAccessible::doAction(const QString &actionName)
{
    if (actionName != showMenuAction() && actionName != pressAction())
        QAccessibleWidget::doAction(actionName);
    else if (box()->view()->isVisible())
        box()->hidePopup();
    else
        box()->showPopup();
}
