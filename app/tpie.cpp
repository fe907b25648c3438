#include "app/tpie.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>

TPie::TPie(QWidget *parent) : QWidget(parent)
{
    // Moves reach the handler also without a button held; it decides whether a drag is on.
    setMouseTracking(true);
}

void TPie::setStartAngle(int degrees)
{
    setAngle(m_startAngle, degrees);
}

void TPie::setEndAngle(int degrees)
{
    setAngle(m_endAngle, degrees);
}

void TPie::setAngle(int &angle, int degrees)
{
    const bool changed = angle != degrees;
    angle = degrees;
    update();
    // A screen reader reads the sweep from the dial's description (TPieAccessible). A drag sets
    // the same angle again at every step; only a change is worth announcing.
    if (changed) {
        QAccessibleEvent event(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void TPie::paintEvent(QPaintEvent *)
{
    // Always counter-clockwise from start to end, also when the end is the smaller angle.
    const int span = ((m_endAngle - m_startAngle) % 360 + 360) % 360;
    if (span == 0)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // The active colours also while another window is active: Windows' inactive highlight is the
    // window's own colour, and the sector would vanish into it.
    painter.setPen(QPen(palette().color(QPalette::Active, QPalette::WindowText), 1));
    painter.setBrush(palette().color(QPalette::Active, QPalette::Highlight));
    painter.drawPie(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), m_startAngle * 16, span * 16);
}

void TPie::mousePressEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    Q_EMIT mouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void TPie::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    Q_EMIT mouseMove(event->modifiers(), p.x(), p.y());
}

void TPie::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    Q_EMIT mouseUp(event->button(), event->modifiers(), p.x(), p.y());
}
