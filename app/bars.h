#pragma once

#include <QScrollBar>
#include <QSlider>

// Scroll bars and the track bar raise valueChanged on every real change of their position, by the
// user or by the program, at once inside the set; a set outside the range ends at the nearer limit.
// setPosition is the program's set: it also carries out an error of the handler it raised.
class ScrollBar : public QScrollBar
{
    Q_OBJECT

  public:
    explicit ScrollBar(QWidget *parent = nullptr);

    int position() const { return value(); }
    void setPosition(int position);

  protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};

// Its ticks are drawn in the text colour: a style's own shade of the window colour all but
// vanishes on a dark window.
class TrackBar : public QSlider
{
    Q_OBJECT

  public:
    explicit TrackBar(QWidget *parent = nullptr);

    int position() const { return value(); }
    void setPosition(int position);

  protected:
    void paintEvent(QPaintEvent *event) override;
};
