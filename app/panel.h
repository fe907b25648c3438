#pragma once

#include <QFrame>

// A plain panel that reports mouse presses and releases on its own surface.
class Panel : public QFrame
{
    Q_OBJECT

  public:
    explicit Panel(QWidget *parent = nullptr);

  Q_SIGNALS:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);

  protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};
