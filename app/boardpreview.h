#pragma once

#include "motion/sequence.h"

#include <QWidget>

// Eight servo horns, drawn where the board holds the servos: a show can be watched without one.
class BoardPreview : public QWidget
{
    Q_OBJECT

  public:
    explicit BoardPreview(QWidget *parent = nullptr);

    const Positions &positions() const { return m_positions; }
    void setPositions(const Positions &positions);
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    Positions m_positions{128, 128, 128, 128, 128, 128, 128, 128};
};
