#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

// Opens a window at a wanted position where the whole window, frame included, fits on the screen
// it opens on, and otherwise as near to it as keeps it whole on that screen (placeWithin). The
// window manager adds the frame only once the window is shown, so the window is placed when it is
// first shown and again when it first appears, framed; after that the user places it.
class OpeningPlacement : public QObject
{
    Q_OBJECT

  public:
    OpeningPlacement(QWidget *window, QPoint wanted);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void place();

    QWidget *m_window = nullptr;
    QPoint m_wanted;
};
