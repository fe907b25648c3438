#pragma once

#include <QWidget>

// The outline of the circle inscribed in the widget's box, transparent inside.
class CircleShape : public QWidget
{
    Q_OBJECT

  public:
    explicit CircleShape(QWidget *parent = nullptr);

    QSize sizeHint() const override { return {161, 161}; }

  protected:
    void paintEvent(QPaintEvent *event) override;
};
