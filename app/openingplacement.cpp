#include "app/openingplacement.h"

#include "app/placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

OpeningPlacement::OpeningPlacement(QWidget *window, QPoint wanted)
    : QObject(window), m_window(window), m_wanted(wanted)
{
    m_window->installEventFilter(this);
}

bool OpeningPlacement::eventFilter(QObject *watched, QEvent *event)
{
    QWindow *handle = m_window->windowHandle();
    if (watched == m_window && event->type() == QEvent::Show) {
        // Before the window manager sees the window, so that it keeps to the place; the frame is
        // known only once the window is on the screen.
        m_window->removeEventFilter(this);
        place();
        handle->installEventFilter(this);
    } else if (watched == handle && event->type() == QEvent::Expose && handle->isExposed()) {
        handle->removeEventFilter(this);
        place();
    }
    return false;
}

void OpeningPlacement::place()
{
    // The screen the wanted point lies on, as the window would open there; else the window's own.
    QScreen *screen = QGuiApplication::screenAt(m_wanted);
    if (!screen)
        screen = m_window->screen();
    const QMargins frame = m_window->windowHandle()->frameMargins();
    const QPoint corner =
        placeWithin(screen->availableGeometry(), m_window->size().grownBy(frame), m_wanted);
    // Placed by the window's own area: how a window manager takes a position that includes the
    // frame varies, one without it does not.
    m_window->setGeometry(QRect(corner + QPoint(frame.left(), frame.top()), m_window->size()));
}
