#pragma once

#include "app/sequencedocument.h"
#include "motion/playback.h"
#include "motion/player.h"

#include <QAbstractScrollArea>
#include <QSplitter>
#include <cstdint>
#include <optional>

// A second view of the sequence document: time along the width, one lane per servo with the curve
// the player plays, the steps as blocks along the top and the rounds marked. Dragging the end of a
// block's move or hold changes that step as one command of the document. A playhead marks a
// moment: the playback moves it while a show plays; stopped, the user drags it or moves it with the
// keys. Only what is visible is drawn, so a show lasting years costs what a short one does.
class TimelineView : public QAbstractScrollArea
{
    Q_OBJECT

  public:
    explicit TimelineView(SequenceDocument &document, QWidget *parent = nullptr);

    int selectedStep() const { return m_selected; }
    // Shows `step` chosen, or none for -1; says nothing back.
    void setSelectedStep(int step);
    std::int64_t playhead() const { return m_playhead; }
    // Moves the playhead as the playback does: said back by nothing.
    void setPlayhead(std::int64_t ms);
    // Moves it as the user does (a screen reader sets its value), where the user may.
    void scrub(std::int64_t ms);
    bool scrubbable() const { return m_scrubbable; }
    // The end of what is drawn: the whole show, or three rounds of one that goes on for ever.
    std::int64_t shownMs() const;
    // The frames the playback left out, from its own record, marked along the ruler.
    void setLeftOut(std::vector<Playback::LeftOut> runs, int slotsPerFrame);
    // While a show plays the playback alone moves the playhead.
    void setScrubbable(bool scrubbable);
    // Nothing while the sequence cannot be played.
    const std::optional<Player> &player() const { return m_player; }
    double pixelsPerSecond() const { return m_pxPerMs * 1000; }
    void setPixelsPerSecond(double pixels);
    // The viewport's x of a moment, and the reverse.
    int xAt(std::int64_t ms) const;
    std::int64_t msAt(int x) const;
    // The top of the lanes, below the ruler and the blocks, and a lane's height.
    int lanesTop() const;
    int laneHeight() const;
    // Where a servo's curve passes at a position.
    int curveY(int servo, int position) const;

    // Small: the window stands beside the main one on a small screen; the splitter gives it more.
    QSize sizeHint() const override { return minimumSizeHint(); }
    QSize minimumSizeHint() const override;

  Q_SIGNALS:
    // The user chose a step's block.
    void stepChosen(int step);
    // The user moved the playhead.
    void playheadMoved(std::int64_t ms);

  protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

  private:
    // The edge of a block under the pointer: the end of a step's move or of its hold, in a round.
    struct Edge
    {
        int step = -1;
        int round = 0;
        bool hold = false;
    };
    struct Drag
    {
        Edge edge;
        std::int64_t pressMs = 0;
        int original = 0;
        int gesture = 0;
    };

    static constexpr int rulerHeight = 18;
    static constexpr int blockHeight = 20;

    SequenceDocument &m_document;
    std::vector<Playback::LeftOut> m_leftOut;
    int m_leftOutFrame = 1; // slots
    std::optional<Player> m_player;
    std::vector<std::int64_t> m_starts; // of each step within a round
    double m_pxPerMs = 0.1;
    bool m_fitted = true; // zoomed to the whole show until the user zooms
    int m_selected = -1;
    std::int64_t m_playhead = 0;
    std::optional<Drag> m_drag;
    bool m_scrubbing = false;
    bool m_scrubbable = true;
    int m_gestures = 0;

    void documentChanged();
    // Painting (app/timelineview_paint.cpp), only what is in view, at most a block or a round a
    // pixel, so that a show of years costs what a short one does.
    void paintRuler(QPainter &p, std::int64_t end);
    void paintSteps(QPainter &p);
    void paintCurves(QPainter &p, std::int64_t end);
    void paintLeftOut(QPainter &p);
    void updateScroll();
    void fit();
    std::optional<Edge> edgeAt(QPoint point) const;
    // The step whose block is at `point`, or -1.
    int blockAt(QPoint point) const;
    void movePlayhead(std::int64_t ms);
    void zoom(double factor, int anchorX);
};

// Holds the steps and the timeline, asking for no more height than they need at least: the window
// must fit on a small screen, and the user drags the handle or the window's edge for more.
class TimelineSplitter : public QSplitter
{
  public:
    using QSplitter::QSplitter;
    QSize sizeHint() const override
    {
        return {QSplitter::sizeHint().width(), minimumSizeHint().height()};
    }
};
