#pragma once

#include <QObject>
#include <vector>

class QWidget;

// A keyboard route beside the Tab cycle, through controls that are no Tab stops: F6 moves the focus
// to the next of them and Shift+F6 to the one before, round and round, passing over any that is
// hidden or disabled; from outside the route F6 starts at its first and Shift+F6 at its last.
// Escape in any of them gives the focus to `home`.
class FocusRoute : public QObject
{
    Q_OBJECT

  public:
    FocusRoute(QWidget *window, std::vector<QWidget *> stops, QWidget *home);

  private:
    void move(int step);

    std::vector<QWidget *> m_stops;
};
