// The timeline's painting: only what is in view, and never more than a block, a round or a mark a
// pixel, so that a show of 10,000 steps or a million rounds paints as fast as a short one.
#include "app/timelineview.h"

#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <array>

namespace {
QColor laneColour(int servo)
{
    static const std::array<QColor, poseServos> colours{
        QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28), QColor(0x2c, 0xa0, 0x2c),
        QColor(0x94, 0x67, 0xbd), QColor(0xff, 0x7f, 0x0e), QColor(0x17, 0xbe, 0xcf),
        QColor(0x8c, 0x56, 0x4b), QColor(0xe3, 0x77, 0xc2)};
    return colours[size_t(servo)];
}

const QColor playheadColour(0xe0, 0x20, 0x20);
} // namespace

void TimelineView::paintEvent(QPaintEvent *)
{
    QPainter p(viewport());
    const QPalette &pal = palette();
    const int width = viewport()->width();
    const int height = viewport()->height();
    const int lane = laneHeight();
    p.fillRect(rect(), pal.base());
    for (int servo = 0; servo < poseServos; ++servo)
        if (servo % 2)
            p.fillRect(0, lanesTop() + servo * lane, width, lane, pal.alternateBase());
    const std::int64_t end = shownMs();
    paintRuler(p, end);
    paintSteps(p);
    paintCurves(p, end);
    paintLeftOut(p);
    p.setPen(pal.color(QPalette::Text));
    // The lanes' numbers once there is room for them.
    for (int servo = 0; servo < poseServos && lane >= p.fontMetrics().height(); ++servo)
        p.drawText(2, lanesTop() + servo * lane, 20, lane, Qt::AlignLeft | Qt::AlignTop,
                   QString::number(servo));

    const int playheadX = xAt(m_playhead);
    p.setPen(QPen(playheadColour, 2));
    p.drawLine(playheadX, 0, playheadX, height);
    if (hasFocus()) {
        p.setPen(QPen(pal.color(QPalette::Highlight), 1, Qt::DotLine));
        p.drawRect(viewport()->rect().adjusted(0, 0, -1, -1));
    }
}

void TimelineView::paintRuler(QPainter &p, std::int64_t end)
{
    const QPalette &pal = palette();
    const int width = viewport()->width();
    const int height = viewport()->height();
    // Seconds: a mark at least 60 pixels apart, labelled; past a day, ten days, a hundred...
    static const std::array<std::int64_t, 14> spacings{
        100,    200,    500,     1000,    2000,      5000,       10'000,
        30'000, 60'000, 300'000, 600'000, 3'600'000, 36'000'000, 86'400'000};
    std::int64_t spacing = spacings.back();
    for (std::int64_t s : spacings)
        if (double(s) * m_pxPerMs >= 60) {
            spacing = s;
            break;
        }
    while (double(spacing) * m_pxPerMs < 60 && spacing < end)
        spacing *= 10;
    const std::int64_t firstMark = std::max<std::int64_t>(0, msAt(0) / spacing * spacing);
    for (std::int64_t t = firstMark; t <= end && xAt(t) < width; t += spacing) {
        const int x = xAt(t);
        p.setPen(pal.color(QPalette::Mid));
        p.drawLine(x, rulerHeight - 5, x, height);
        p.setPen(pal.color(QPalette::Text));
        const QString value =
            spacing < 1000 ? QString::number(double(t) / 1000, 'f', 1) : QString::number(t / 1000);
        p.drawText(x + 3, 0, 80, rulerHeight, Qt::AlignLeft | Qt::AlignVCenter,
                   tr("%1 s").arg(value));
    }
}

// The steps of each round in view, and where each round begins.
void TimelineView::paintSteps(QPainter &p)
{
    if (!m_player || m_player->roundMs() == 0)
        return;
    const QPalette &pal = palette();
    const int width = viewport()->width();
    const int height = viewport()->height();
    const Sequence &sequence = m_player->sequence();
    const std::int64_t roundMs = m_player->roundMs();
    const std::int64_t rounds = sequence.rounds == 0 ? 3 : sequence.rounds;
    const std::int64_t t0 = std::max<std::int64_t>(0, msAt(0));
    const std::int64_t t1 = msAt(width);
    const QColor moveColour = pal.color(QPalette::Highlight).lighter(160);
    const QColor holdColour = pal.color(QPalette::Button);
    const int line = p.fontMetrics().height();
    int labelsFrom = 0; // the rounds' names do not overlap
    const int steps = int(sequence.steps.size());
    for (std::int64_t round = t0 / roundMs; round < rounds && round * roundMs <= t1;) {
        const std::int64_t roundStart = round * roundMs;
        const int roundX = xAt(roundStart);
        if (round > 0 && roundX >= 0) {
            p.setPen(QPen(pal.color(QPalette::Text), 1, Qt::DashLine));
            p.drawLine(roundX, 0, roundX, height);
        }
        // Along the bottom, clear of the seconds.
        if (sequence.rounds != 1 && roundX + 4 < width && std::max(roundX, 0) >= labelsFrom) {
            p.setPen(pal.color(QPalette::Text));
            const QString name = tr("Round %1").arg(round + 1);
            p.drawText(std::max(roundX, 0) + 3, height - line, 120, line,
                       Qt::AlignLeft | Qt::AlignVCenter, name);
            labelsFrom = std::max(roundX, 0) + p.fontMetrics().horizontalAdvance(name) + 12;
        }
        // Only the steps in view, the first found by halving; steps that would fall within a pixel
        // already drawn are passed over the same way.
        const auto stepAt = [&](std::int64_t ms) {
            const auto after = std::upper_bound(m_starts.begin(), m_starts.end(), ms - roundStart);
            return int(std::max<std::ptrdiff_t>(0, after - m_starts.begin() - 1));
        };
        for (int step = stepAt(t0); step < steps;) {
            const Step &s = sequence.steps[size_t(step)];
            const std::int64_t start = roundStart + m_starts[size_t(step)];
            if (start > t1)
                break;
            const int x0 = xAt(start);
            const int x1 = xAt(start + s.moveMs);
            const int x2 = xAt(start + s.moveMs + s.holdMs);
            const QRect block(x0, rulerHeight, std::max(x2 - x0, 1), blockHeight - 2);
            p.fillRect(QRect(x0, rulerHeight, x1 - x0, blockHeight - 2), moveColour);
            p.fillRect(QRect(x1, rulerHeight, x2 - x1, blockHeight - 2), holdColour);
            const bool chosen = step == m_selected;
            p.setPen(QPen(chosen ? pal.color(QPalette::Highlight) : pal.color(QPalette::Mid),
                          chosen ? 2 : 1));
            p.drawRect(block.adjusted(0, 0, -1, -1));
            if (block.width() > 20) {
                p.setPen(pal.color(QPalette::Text));
                p.drawText(block.adjusted(3, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter,
                           p.fontMetrics().elidedText(
                               QString::fromStdString(sequence.poses[size_t(s.pose)].name),
                               Qt::ElideRight, block.width() - 5));
            }
            step = std::max(step + 1, stepAt(msAt(std::max(x2, x0) + 1)));
        }
        // The next round that begins right of this one's first pixel.
        round = std::max(round + 1, (msAt(std::max(roundX, -1) + 1) + roundMs - 1) / roundMs);
    }
}

// Each servo's curve, sampled at every pixel from the function that plays.
void TimelineView::paintCurves(QPainter &p, std::int64_t end)
{
    const int endX = std::min(xAt(end), viewport()->width());
    if (!m_player || endX <= 0)
        return;
    std::array<QPolygon, poseServos> curves;
    const int firstX = std::max(0, xAt(0));
    for (QPolygon &curve : curves)
        curve.reserve(endX - firstX + 1);
    for (int x = firstX; x <= endX; ++x) {
        const Positions at = m_player->at(std::min(msAt(x), end)).targets;
        for (int servo = 0; servo < poseServos; ++servo)
            curves[size_t(servo)].append(QPoint(x, curveY(servo, at[size_t(servo)])));
    }
    // Smooth where the curves are: where a pixel holds several steps they zigzag, and smoothing
    // a zigzag the width of the screen costs tens of milliseconds; plain lines cost well under one.
    const std::int64_t steps = m_player->sequence().steps.size();
    const bool dense = m_player->roundMs() * m_pxPerMs < 2.0 * double(steps);
    p.setRenderHint(QPainter::Antialiasing, !dense);
    for (int servo = 0; servo < poseServos; ++servo) {
        p.setPen(QPen(laneColour(servo), dense ? 1 : 1.5));
        p.drawPolyline(curves[size_t(servo)]);
    }
    p.setRenderHint(QPainter::Antialiasing, false);
}

int TimelineView::curveY(int servo, int position) const
{
    const int lane = laneHeight();
    return lanesTop() + servo * lane + 2 +
           (highestPosition - position) * (lane - 4) / highestPosition;
}

// What the playback left out, as it recorded it: a mark under the ruler for each run of frames.
void TimelineView::paintLeftOut(QPainter &p)
{
    if (m_leftOut.empty())
        return;
    const int width = viewport()->width();
    const auto slotMs = [](std::int64_t slot) { return slotMicroseconds(slot) / 1000; };
    // The first run that ends in view, and each next one past the pixel drawn last.
    const auto runFrom = [this](std::int64_t ms) {
        const std::int64_t slot = ms * framesPerSecond / 1000;
        return std::lower_bound(
            m_leftOut.begin(), m_leftOut.end(), slot,
            [](const Playback::LeftOut &run, std::int64_t s) { return run.lastSlot < s; });
    };
    for (auto run = runFrom(std::max<std::int64_t>(0, msAt(0))); run != m_leftOut.end();) {
        const int x0 = xAt(slotMs(run->firstSlot));
        if (x0 >= width)
            break;
        const int x1 = std::max(xAt(slotMs(run->lastSlot + m_leftOutFrame)), x0 + 2);
        p.fillRect(QRect(x0, rulerHeight - 5, x1 - x0, 5), playheadColour);
        run = std::max(run + 1, runFrom(msAt(x1)));
    }
}
