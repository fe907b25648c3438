#pragma once

#include <QAccessibleWidget>

class TimelineView;

// The timeline as a screen reader gets it: a slider whose value is the playhead's time in
// milliseconds, read out in seconds ("1.20 s"); setting the value moves the playhead where the
// user may move it.
class TimelineAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
  public:
    explicit TimelineAccessible(TimelineView *timeline);

    void *interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant &value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

  private:
    TimelineView *timeline() const;
};
