#include "app/panel.h"

#include <QMouseEvent>

Panel::Panel(QWidget *parent) : QFrame(parent)
{
    setAutoFillBackground(true);
}

void Panel::mousePressEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    Q_EMIT mouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void Panel::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    Q_EMIT mouseUp(event->button(), event->modifiers(), p.x(), p.y());
}
