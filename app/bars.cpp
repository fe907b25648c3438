#include "app/bars.h"

#include "app/eventguard.h"

ScrollBar::ScrollBar(QWidget *parent) : QScrollBar(Qt::Horizontal, parent) {}

void ScrollBar::setPosition(int position)
{
    setValue(position);
    rethrowPendingError();
}

TrackBar::TrackBar(QWidget *parent) : QSlider(Qt::Horizontal, parent) {}

void TrackBar::setPosition(int position)
{
    setValue(position);
    rethrowPendingError();
}
