// The timeline: the sequence document drawn against time, with the player's curves and a playhead.
#include "app/timelineview.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {
constexpr int rulerHeight = 18;
constexpr int blockHeight = 20;
constexpr int smallestLane = 9;
constexpr int edgeReach = 4;        // pixels either side of a block's edge that grab it
constexpr int framesPerSecond = 30; // the playhead's keys move by a frame of a show tool's rate
constexpr int dragGrainMs = 10;
// The scroll bar counts pixels in an int: a show zoomed in further would overflow it.
constexpr double mostPixels = 1e9;

std::int64_t frameMs(std::int64_t frame)
{
    return (frame * 1000 + framesPerSecond - 1) / framesPerSecond;
}

QColor laneColour(int servo)
{
    static const std::array<QColor, poseServos> colours{
        QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28), QColor(0x2c, 0xa0, 0x2c),
        QColor(0x94, 0x67, 0xbd), QColor(0xff, 0x7f, 0x0e), QColor(0x17, 0xbe, 0xcf),
        QColor(0x8c, 0x56, 0x4b), QColor(0xe3, 0x77, 0xc2)};
    return colours[size_t(servo)];
}
} // namespace

TimelineView::TimelineView(SequenceDocument &document, QWidget *parent)
    : QAbstractScrollArea(parent), m_document(document)
{
    setObjectName(QStringLiteral("timeline"));
    setAccessibleName(tr("Timeline"));
    setAccessibleDescription(
        tr("Left and Right move the playhead by a frame, Page Up and Page Down "
           "by a second; Ctrl and the wheel, + or - zoom."));
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setMouseTracking(true);
    connect(&m_document, &SequenceDocument::changed, this, &TimelineView::documentChanged);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, viewport(),
            qOverload<>(&QWidget::update));
    documentChanged();
}

QSize TimelineView::minimumSizeHint() const
{
    return {200, lanesTop() + poseServos * smallestLane +
                     horizontalScrollBar()->sizeHint().height() + 2 * frameWidth()};
}

void TimelineView::documentChanged()
{
    const Sequence &sequence = m_document.sequence();
    m_player.reset();
    m_starts.clear();
    if (!checkSequence(sequence)) {
        m_player.emplace(sequence);
        std::int64_t start = 0;
        for (const Step &step : sequence.steps) {
            m_starts.push_back(start);
            start += std::int64_t(step.moveMs) + step.holdMs;
        }
    }
    if (m_selected >= int(sequence.steps.size()))
        m_selected = -1;
    // A drag keeps the scale, so that the edge stays under the pointer.
    if (m_fitted && !m_drag)
        fit();
    else
        updateScroll();
    m_playhead = std::clamp<std::int64_t>(m_playhead, 0, shownMs());
    viewport()->update();
}

std::int64_t TimelineView::shownMs() const
{
    if (!m_player || m_player->roundMs() == 0)
        return 1000;
    return m_player->totalMs().value_or(3 * m_player->roundMs());
}

void TimelineView::setSelectedStep(int step)
{
    if (step == m_selected)
        return;
    m_selected = step;
    viewport()->update();
}

void TimelineView::setPlayhead(std::int64_t ms)
{
    // A show that goes on for ever is drawn for three rounds: later rounds show in the third.
    if (m_player && !m_player->totalMs() && m_player->roundMs() > 0 && ms > shownMs())
        ms = 2 * m_player->roundMs() + ms % m_player->roundMs();
    m_playhead = std::clamp<std::int64_t>(ms, 0, shownMs());
    // Kept in view as it runs.
    const int x = xAt(m_playhead);
    if (x < 0 || x >= viewport()->width())
        horizontalScrollBar()->setValue(int(std::llround(double(m_playhead) * m_pxPerMs)) -
                                        viewport()->width() / 10);
    viewport()->update();
}

void TimelineView::movePlayhead(std::int64_t ms)
{
    setPlayhead(ms);
    Q_EMIT playheadMoved(m_playhead);
}

void TimelineView::setPixelsPerSecond(double pixels)
{
    m_fitted = false;
    m_pxPerMs = std::clamp(pixels / 1000, 1e-12, 1.0);
    m_pxPerMs = std::min(m_pxPerMs, mostPixels / double(shownMs()));
    updateScroll();
    viewport()->update();
}

void TimelineView::fit()
{
    m_fitted = true;
    m_pxPerMs = double(std::max(viewport()->width() - 8, 50)) / double(shownMs());
    updateScroll();
}

void TimelineView::zoom(double factor, int anchorX)
{
    const std::int64_t anchor = msAt(anchorX);
    setPixelsPerSecond(pixelsPerSecond() * factor);
    horizontalScrollBar()->setValue(int(std::llround(double(anchor) * m_pxPerMs)) - anchorX);
}

void TimelineView::updateScroll()
{
    const double width = double(shownMs()) * m_pxPerMs;
    horizontalScrollBar()->setRange(0, std::max(0, int(width) - viewport()->width() + 8));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(20);
}

int TimelineView::xAt(std::int64_t ms) const
{
    const double x = double(ms) * m_pxPerMs - horizontalScrollBar()->value();
    return int(std::clamp(std::floor(x), -1e6, 1e6));
}

std::int64_t TimelineView::msAt(int x) const
{
    return std::int64_t(std::floor(double(x + horizontalScrollBar()->value()) / m_pxPerMs));
}

int TimelineView::lanesTop() const
{
    return rulerHeight + blockHeight;
}

int TimelineView::laneHeight() const
{
    return std::max(smallestLane, (viewport()->height() - lanesTop()) / poseServos);
}

void TimelineView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (m_fitted)
        fit();
    else
        updateScroll();
}

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
    const int endX = std::min(xAt(end), width);

    // Seconds: a mark at least 60 pixels apart, labelled.
    static const std::array<std::int64_t, 14> spacings{
        100,    200,    500,     1000,    2000,      5000,       10'000,
        30'000, 60'000, 300'000, 600'000, 3'600'000, 36'000'000, 86'400'000};
    std::int64_t spacing = spacings.back();
    for (std::int64_t s : spacings)
        if (double(s) * m_pxPerMs >= 60) {
            spacing = s;
            break;
        }
    p.setPen(pal.color(QPalette::Mid));
    const std::int64_t firstMark = std::max<std::int64_t>(0, msAt(0) / spacing * spacing);
    for (std::int64_t t = firstMark; t <= end && xAt(t) < width; t += spacing) {
        const int x = xAt(t);
        p.setPen(pal.color(QPalette::Mid));
        p.drawLine(x, rulerHeight - 5, x, height);
        p.setPen(pal.color(QPalette::Text));
        const QString label =
            spacing < 1000 ? QString::number(double(t) / 1000, 'f', 1) : QString::number(t / 1000);
        p.drawText(x + 3, 0, 60, rulerHeight, Qt::AlignLeft | Qt::AlignVCenter, tr("%1 s").arg(label));
    }

    // The steps of each round in view, and where each round begins.
    if (m_player && m_player->roundMs() > 0) {
        const Sequence &sequence = m_player->sequence();
        const std::int64_t roundMs = m_player->roundMs();
        const std::int64_t rounds = sequence.rounds == 0 ? 3 : sequence.rounds;
        const std::int64_t t0 = std::max<std::int64_t>(0, msAt(0));
        const std::int64_t t1 = msAt(width);
        const QColor moveColour = pal.color(QPalette::Highlight).lighter(160);
        const QColor holdColour = pal.color(QPalette::Button);
        for (std::int64_t round = t0 / roundMs; round < rounds && round * roundMs <= t1; ++round) {
            const std::int64_t roundStart = round * roundMs;
            const int roundX = xAt(roundStart);
            if (round > 0 && roundX >= 0) {
                p.setPen(QPen(pal.color(QPalette::Text), 1, Qt::DashLine));
                p.drawLine(roundX, 0, roundX, height);
            }
            // Along the bottom, clear of the seconds.
            if (sequence.rounds != 1 && roundX + 4 < width) {
                p.setPen(pal.color(QPalette::Text));
                const int line = p.fontMetrics().height();
                p.drawText(std::max(roundX, 0) + 3, height - line, 120, line,
                           Qt::AlignLeft | Qt::AlignVCenter, tr("Round %1").arg(round + 1));
            }
            // Only the steps in view: the first is found by halving.
            auto first = std::upper_bound(m_starts.begin(), m_starts.end(), t0 - roundStart);
            int step = int(std::max<std::ptrdiff_t>(0, first - m_starts.begin() - 1));
            for (; step < int(sequence.steps.size()); ++step) {
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
            }
        }
    }

    // Each servo's curve, sampled at every pixel from the function that plays.
    if (m_player && endX > 0) {
        std::array<QPolygon, poseServos> curves;
        for (int x = std::max(0, xAt(0)); x <= endX; ++x) {
            const Positions at = m_player->at(std::min(msAt(x), end)).targets;
            for (int servo = 0; servo < poseServos; ++servo)
                curves[size_t(servo)].append(QPoint(x, lanesTop() + servo * lane + 2 +
                                                           (highestPosition - at[size_t(servo)]) *
                                                               (lane - 4) / highestPosition));
        }
        p.setRenderHint(QPainter::Antialiasing);
        for (int servo = 0; servo < poseServos; ++servo) {
            p.setPen(QPen(laneColour(servo), 1.5));
            p.drawPolyline(curves[size_t(servo)]);
        }
        p.setRenderHint(QPainter::Antialiasing, false);
    }
    p.setPen(pal.color(QPalette::Text));
    // The lanes' numbers once there is room for them.
    for (int servo = 0; servo < poseServos && lane >= p.fontMetrics().height(); ++servo)
        p.drawText(2, lanesTop() + servo * lane, 20, lane, Qt::AlignLeft | Qt::AlignTop,
                   QString::number(servo));

    const int playheadX = xAt(m_playhead);
    p.setPen(QPen(QColor(0xe0, 0x20, 0x20), 2));
    p.drawLine(playheadX, 0, playheadX, height);
    if (hasFocus()) {
        p.setPen(QPen(pal.color(QPalette::Highlight), 1, Qt::DotLine));
        p.drawRect(viewport()->rect().adjusted(0, 0, -1, -1));
    }
}

std::optional<TimelineView::Edge> TimelineView::edgeAt(QPoint point) const
{
    if (!m_player || m_player->roundMs() == 0 || point.y() < rulerHeight || point.y() >= lanesTop())
        return std::nullopt;
    const Sequence &sequence = m_player->sequence();
    const std::int64_t roundMs = m_player->roundMs();
    const std::int64_t t = msAt(point.x());
    const std::int64_t round =
        std::clamp<std::int64_t>(t / roundMs, 0, sequence.rounds == 0 ? 2 : sequence.rounds - 1);
    std::optional<Edge> best;
    int bestDistance = edgeReach + 1;
    // The rounds either side too: an edge at the end of a round is near the next one's start.
    for (std::int64_t r = std::max<std::int64_t>(0, round - 1); r <= round; ++r)
        for (int step = 0; step < int(sequence.steps.size()); ++step) {
            const Step &s = sequence.steps[size_t(step)];
            const std::int64_t start = r * roundMs + m_starts[size_t(step)];
            for (bool hold : {false, true}) {
                const int x = xAt(start + s.moveMs + (hold ? s.holdMs : 0));
                const int distance = std::abs(x - point.x());
                // Where a step holds for no time its two edges meet: left of them is the move's.
                if (distance < bestDistance ||
                    (distance == bestDistance && hold && point.x() >= x)) {
                    best = Edge{step, int(r), hold};
                    bestDistance = distance;
                }
            }
        }
    return best;
}

int TimelineView::blockAt(QPoint point) const
{
    if (!m_player || m_player->roundMs() == 0 || point.y() < rulerHeight || point.y() >= lanesTop())
        return -1;
    const std::int64_t t = msAt(point.x());
    if (t < 0 || t >= shownMs())
        return -1;
    const std::int64_t within = t % m_player->roundMs();
    const auto after = std::upper_bound(m_starts.begin(), m_starts.end(), within);
    return int(after - m_starts.begin()) - 1;
}

void TimelineView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    const QPoint point = event->position().toPoint();
    if (const std::optional<Edge> edge = edgeAt(point)) {
        const Step &step = m_document.sequence().steps[size_t(edge->step)];
        m_drag = Drag{*edge, msAt(point.x()), edge->hold ? step.holdMs : step.moveMs, ++m_gestures};
        if (m_selected != edge->step) {
            m_selected = edge->step;
            Q_EMIT stepChosen(m_selected);
        }
    } else if (const int step = blockAt(point); step >= 0) {
        m_selected = step;
        Q_EMIT stepChosen(step);
    } else if (m_scrubbable) {
        m_scrubbing = true;
        movePlayhead(msAt(point.x()));
    }
    viewport()->update();
}

void TimelineView::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    if (m_drag) {
        // An edge in a later round moves with the rounds before it: it follows the pointer.
        const std::int64_t delta = (msAt(point.x()) - m_drag->pressMs) / (m_drag->edge.round + 1);
        std::int64_t value = std::clamp<std::int64_t>(m_drag->original + delta, 0, longestTimeMs);
        value = (value + dragGrainMs / 2) / dragGrainMs * dragGrainMs;
        Step step = m_document.sequence().steps[size_t(m_drag->edge.step)];
        (m_drag->edge.hold ? step.holdMs : step.moveMs) = int(value);
        m_document.setStep(m_drag->edge.step, step, m_drag->gesture);
    } else if (m_scrubbing) {
        movePlayhead(msAt(point.x()));
    } else {
        viewport()->setCursor(edgeAt(point) ? Qt::SizeHorCursor : Qt::ArrowCursor);
    }
}

void TimelineView::mouseReleaseEvent(QMouseEvent *)
{
    const bool dragged = m_drag.has_value();
    m_drag.reset();
    m_scrubbing = false;
    if (dragged && m_fitted)
        documentChanged();
}

void TimelineView::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0)
        zoom(std::pow(1.25, steps), int(event->position().x()));
    event->accept();
}

void TimelineView::setScrubbable(bool scrubbable)
{
    m_scrubbable = scrubbable;
    if (!scrubbable)
        m_scrubbing = false;
}

void TimelineView::keyPressEvent(QKeyEvent *event)
{
    const std::int64_t frame = m_playhead * framesPerSecond / 1000;
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoom(1.5, xAt(m_playhead));
        return;
    case Qt::Key_Minus:
        zoom(1 / 1.5, xAt(m_playhead));
        return;
    default:
        break;
    }
    if (!m_scrubbable || event->modifiers() & ~Qt::KeypadModifier) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Right:
        movePlayhead(frameMs(frame + 1));
        break;
    case Qt::Key_Left:
        movePlayhead(frameMs(frameMs(frame) >= m_playhead ? frame - 1 : frame));
        break;
    case Qt::Key_PageDown:
        movePlayhead(m_playhead + 1000);
        break;
    case Qt::Key_PageUp:
        movePlayhead(m_playhead - 1000);
        break;
    case Qt::Key_Home:
        movePlayhead(0);
        break;
    case Qt::Key_End:
        movePlayhead(shownMs());
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}
