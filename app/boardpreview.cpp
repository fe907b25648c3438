// The board's preview: a horn for each servo, from straight left at 0 to straight right at 254.
#include "app/boardpreview.h"

#include <QPainter>
#include <QStringList>
#include <cmath>
#include <numbers>

BoardPreview::BoardPreview(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("boardPreview"));
    setAccessibleName(tr("Board preview"));
    setPositions(m_positions);
}

QSize BoardPreview::sizeHint() const
{
    return {poseServos * 16, 22};
}

void BoardPreview::setPositions(const Positions &positions)
{
    m_positions = positions;
    QStringList said;
    for (int servo = 0; servo < poseServos; ++servo)
        said << tr("Servo %1 at %2").arg(servo).arg(positions[size_t(servo)]);
    setAccessibleDescription(said.join(QStringLiteral(", ")));
    update();
}

void BoardPreview::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int cell = std::max(1, width() / poseServos);
    const double radius = std::min(cell, height()) / 2.0 - 2;
    for (int servo = 0; servo < poseServos; ++servo) {
        const QPointF centre(cell * servo + cell / 2.0, height() - 3);
        p.setPen(palette().color(QPalette::Mid));
        p.drawArc(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), 0,
                  180 * 16);
        const double angle =
            std::numbers::pi * (1 - double(m_positions[size_t(servo)]) / highestPosition);
        p.setPen(QPen(palette().color(QPalette::Text), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(centre, centre + QPointF(std::cos(angle), -std::sin(angle)) * radius);
    }
}
