#include "app/timelineaccessible.h"

#include "app/timelineview.h"

TimelineAccessible::TimelineAccessible(TimelineView *timeline)
    : QAccessibleWidget(timeline, QAccessible::Slider)
{}

TimelineView *TimelineAccessible::timeline() const
{
    return static_cast<TimelineView *>(widget());
}

void *TimelineAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString TimelineAccessible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Value)
        return QAccessibleWidget::text(t);
    return TimelineView::tr("%1 s").arg(
        QString::number(double(timeline()->playhead()) / 1000, 'f', 2));
}

QVariant TimelineAccessible::currentValue() const
{
    return qlonglong(timeline()->playhead());
}

void TimelineAccessible::setCurrentValue(const QVariant &value)
{
    timeline()->scrub(value.toLongLong());
}

QVariant TimelineAccessible::maximumValue() const
{
    return qlonglong(timeline()->shownMs());
}

QVariant TimelineAccessible::minimumValue() const
{
    return qlonglong(0);
}

QVariant TimelineAccessible::minimumStepSize() const
{
    return qlonglong(1);
}
