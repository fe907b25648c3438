#pragma once

#include <QWidget>

// A pie slice: the sector of the circle inscribed in the widget's box that runs counter-clockwise
// from the start angle to the end angle. Angles are whole degrees from 3 o'clock.
class TPie : public QWidget
{
    Q_OBJECT

  public:
    explicit TPie(QWidget *parent = nullptr);

    int startAngle() const { return m_startAngle; }
    int endAngle() const { return m_endAngle; }
    void setStartAngle(int degrees);
    void setEndAngle(int degrees);

    QSize sizeHint() const override { return {161, 161}; }

  Q_SIGNALS:
    // Pixel coordinates relative to the pie; the pointer stays captured while a button is held.
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void mouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

  private:
    void setAngle(int &angle, int degrees);

    int m_startAngle = 180;
    int m_endAngle = 181;
};
