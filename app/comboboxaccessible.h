#pragma once

#include <QAccessibleWidget>

class QComboBox;

// A drop-down list as a screen reader gets it, named by its caption (its label or its group box)
// rather than by the text it holds, which is its value. Children: the list, then the edit part.
class ComboBoxAccessible : public QAccessibleWidget
{
  public:
    explicit ComboBoxAccessible(QComboBox *box);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *focusChild() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

  private:
    QComboBox *box() const;
};
