#include "app/focusroute.h"

#include <QApplication>
#include <QShortcut>
#include <QWidget>
#include <algorithm>
#include <utility>

FocusRoute::FocusRoute(QWidget *window, std::vector<QWidget *> stops, QWidget *home)
    : QObject(window), m_stops(std::move(stops))
{
    auto *next = new QShortcut(QKeySequence(Qt::Key_F6), window);
    connect(next, &QShortcut::activated, this, [this] { move(1); });
    auto *previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6), window);
    connect(previous, &QShortcut::activated, this, [this] { move(-1); });
    // Only in the route's controls: elsewhere Escape keeps whatever meaning it has.
    for (QWidget *stop : m_stops) {
        auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), stop);
        escape->setContext(Qt::WidgetShortcut);
        connect(escape, &QShortcut::activated, home,
                [home] { home->setFocus(Qt::ShortcutFocusReason); });
    }
}

void FocusRoute::move(int step)
{
    const int count = int(m_stops.size());
    const auto current = std::find(m_stops.begin(), m_stops.end(), QApplication::focusWidget());
    int index = current != m_stops.end() ? int(current - m_stops.begin()) : step > 0 ? -1 : count;
    for (int tried = 0; tried < count; ++tried) {
        index = (index + step + count) % count;
        QWidget *stop = m_stops[std::size_t(index)];
        if (stop->isVisible() && stop->isEnabled()) {
            stop->setFocus(Qt::ShortcutFocusReason);
            return;
        }
    }
}
