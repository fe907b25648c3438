#pragma once

#include <QAccessibleWidget>
#include <QCoreApplication>

class TPie;

// The travel dial as a screen reader gets it: a dial whose value and description say where the
// sweep starts and ends. The sector's left-hand end (the pie's end angle) is the start of the
// sweep, its right-hand end (the start angle) the end of the sweep.
class TPieAccessible : public QAccessibleWidget
{
    Q_DECLARE_TR_FUNCTIONS(TPieAccessible)

  public:
    explicit TPieAccessible(TPie *pie);

    QString text(QAccessible::Text t) const override;
};
