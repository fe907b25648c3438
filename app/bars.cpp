#include "app/bars.h"

#include "app/colours.h"
#include "app/eventguard.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionSlider>
#include <QStylePainter>
#include <algorithm>

ScrollBar::ScrollBar(QWidget *parent) : QScrollBar(Qt::Horizontal, parent) {}

void ScrollBar::setPosition(int position)
{
    setValue(position);
    rethrowPendingError();
}

void ScrollBar::keyPressEvent(QKeyEvent *event)
{
    // The toolkit's horizontal scroll bar steps back on the right arrow, as its vertical one does
    // on the up arrow. Here the arrow moves the thumb its way, as on any slider; the wheel keeps
    // the toolkit's direction.
    const bool right = event->key() == Qt::Key_Right;
    if (orientation() == Qt::Horizontal && (right || event->key() == Qt::Key_Left)) {
        triggerAction(right != isRightToLeft() ? SliderSingleStepAdd : SliderSingleStepSub);
        event->accept();
        return;
    }
    QScrollBar::keyPressEvent(event);
}

void ScrollBar::paintEvent(QPaintEvent *event)
{
    QScrollBar::paintEvent(event);
    // Styles show no focus on a scroll bar, or a faint one: reached from the keyboard, it is
    // framed in the colour that stands out most from what lies around it.
    QStyleOption state;
    state.initFrom(this);
    if ((state.state & QStyle::State_HasFocus) &&
        (state.state & QStyle::State_KeyboardFocusChange)) {
        QPainter painter(this);
        painter.setPen(textColourOn(palette().color(QPalette::Window)));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
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
