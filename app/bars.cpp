#include "app/bars.h"

#include "app/eventguard.h"

#include <QStyleOptionSlider>
#include <QStylePainter>
#include <algorithm>

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

void TrackBar::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
    painter.drawComplexControl(QStyle::CC_Slider, option);
    if (tickPosition() == NoTicks || orientation() != Qt::Horizontal)
        return;

    // A tick under the middle of the handle at each of its positions, in the style's length.
    const int length = style()->pixelMetric(QStyle::PM_SliderTickmarkOffset, &option, this);
    const int interval = std::max(tickInterval(), 1);
    painter.setPen(palette().color(QPalette::WindowText));
    for (int v = minimum(); v <= maximum(); v += interval) {
        option.sliderPosition = v;
        const int x =
            style()
                ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this)
                .center()
                .x();
        if (tickPosition() & TicksAbove)
            painter.drawLine(x, 1, x, length - 1);
        if (tickPosition() & TicksBelow)
            painter.drawLine(x, height() - length, x, height() - 2);
    }
}
