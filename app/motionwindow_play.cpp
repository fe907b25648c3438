// The Motion window's playback: Play, Home and Stop, the time played and the frames the link
// carries.
#include "app/boardpreview.h"
#include "app/eventguard.h"
#include "app/motionhost.h"
#include "app/motionwindow.h"
#include "app/playbackcontrol.h"
#include "app/texts.h"
#include "app/timelineview.h"
#include "link/messages.h"
#include "params/baudmath.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <algorithm>
#include <cstdlib>

namespace {
// Home's move, from wherever the servos are.
constexpr int homeMoveMs = 1000;
// The most a servo is moved in one frame while following the playhead: a longer jump is eased over
// several frames, so that a servo is never slammed across its sweep.
constexpr int followStep = 24;

QString seconds(std::int64_t ms)
{
    return QString::number(double(ms) / 1000, 'f', 1);
}
} // namespace

std::optional<MotionWindow::Target> MotionWindow::readyToPlay()
{
    if (playing() || !motionAllowed())
        return std::nullopt;
    std::optional<Target> to = target(false);
    if (!to)
        return std::nullopt;
    if (const SequenceFault fault = checkSequence(sequence())) {
        say(Texts::sequenceFault(m_document.name(), fault));
        return std::nullopt;
    }
    return to;
}

void MotionWindow::motionPlayClick(QObject *)
{
    stopFollowing();
    if (const std::optional<Target> to = readyToPlay())
        say(m_playback->start(sequence(), to->port, to->link, false, m_document.name()));
    if (playing()) {
        m_playingShow = true;
        m_timeline->setLeftOut({}, 1);
        m_timeline->setPlayhead(0);
        updateEnabled();
        if (m_stop->isVisible())
            m_stop->setFocus();
        showTime(0);
    }
}

void MotionWindow::motionHomeClick(QObject *)
{
    stopFollowing();
    const std::optional<Target> to = readyToPlay();
    if (!to)
        return;
    const Positions from =
        m_playback->lastSent().value_or(sequence().poses[size_t(sequence().home)].positions);
    say(m_playback->start(homeMove(from, sequence(), homeMoveMs), to->port, to->link, true,
                          m_document.name()));
    updateEnabled();
    showTime(0);
}

void MotionWindow::motionStopClick(QObject *)
{
    // Ends before the next frame; the playback control sees it end and frees the port.
    m_playback->stop();
}

void MotionWindow::playbackEnded(const QString &sentence)
{
    if (m_playingShow)
        m_timeline->setLeftOut(m_playback->leftOut(), m_playback->slotsPerFrame());
    if (m_playback->lastSent())
        m_preview->setPositions(*m_playback->lastSent());
    m_playingShow = false;
    say(sentence);
    updateEnabled();
    showTime(0);
    if (selectedPose() < 0)
        showPose();
}

void MotionWindow::playbackProgressed(std::int64_t elapsedMs)
{
    showTime(elapsedMs);
    // Where the show really is: the playback's own time, not a clock of the window's.
    if (m_playingShow) {
        m_timeline->setLeftOut(m_playback->leftOut(), m_playback->slotsPerFrame());
        m_timeline->setPlayhead(elapsedMs);
        showPlayhead(elapsedMs);
    }
}

void MotionWindow::showPlayhead(std::int64_t ms)
{
    const std::optional<Player> &player = m_timeline->player();
    if (!player)
        return;
    // The sliders then move the servos only: a pose is never edited by looking at the show.
    if (selectedPose() >= 0)
        selectPose(-1);
    const Positions targets = player->at(ms).targets;
    for (int servo = 0; servo < poseServos; ++servo) {
        const QSignalBlocker quiet(m_sliders[size_t(servo)]);
        m_sliders[size_t(servo)]->setValue(targets[size_t(servo)]);
        m_sliderValues[size_t(servo)]->setText(QString::number(targets[size_t(servo)]));
    }
    m_poseEditing->setText(tr("At %1 s of the show: the sliders show the targets there, and move "
                              "the servos.")
                               .arg(QString::number(double(ms) / 1000, 'f', 2)));
    // While it plays, where the frames the playback has sent leave the servos: a frame left out
    // or a servo a frame could not carry shows as it is.
    if (playing()) {
        if (m_playback->board())
            m_preview->setPositions(*m_playback->board());
    } else {
        showBoard(*player, ms);
    }
    if (!playing()) {
        showTime(ms);
        if (m_follow->isChecked())
            follow(targets);
    }
}

void MotionWindow::showBoard(const Player &player, std::int64_t ms)
{
    MotionLink link;
    try {
        link = m_host.motionLink();
    } catch (const std::exception &) {
        return; // the link's label says why
    }
    if (link.baud <= 0 || !divisorAchievable(baudDivisorFor(link.baud)) ||
        !miniSscAddressRefusal(link).isEmpty())
        return;
    // The frames up to the last slot at or before the moment, from the home pose; kept for the
    // next moment asked, as a long show's frames are many.
    if (!m_boardTrack || !(m_boardTrack->link() == link))
        m_boardTrack = std::make_unique<BoardTrack>(
            player, link, sequence().poses[size_t(sequence().home)].positions);
    m_preview->setPositions(m_boardTrack->after(ms * framesPerSecond / 1000));
}

void MotionWindow::followToggled(QObject *)
{
    stopFollowing();
}

void MotionWindow::stopFollowing()
{
    if (m_followTimer)
        m_followTimer->stop();
    m_followPlanner.reset();
}

void MotionWindow::follow(const Positions &goal)
{
    if (m_host.digitalController())
        return;
    const std::optional<Target> to = target(true);
    if (!to)
        return;
    if (!m_followPlanner || !(m_followLink == to->link)) {
        // Eased from where the board was last sent, or from the home pose (where a servo has had
        // no frame yet, it is taken to be there).
        m_followPlanner.emplace(to->link);
        m_followLink = to->link;
        m_followAt =
            m_playback->lastSent().value_or(sequence().poses[size_t(sequence().home)].positions);
        m_followSlot = 0;
    }
    m_followGoal = goal;
    if (!m_followTimer) {
        m_followTimer = new QTimer(this);
        m_followTimer->setTimerType(Qt::PreciseTimer);
        connect(m_followTimer, &QTimer::timeout, this,
                [this] { runHandler([this] { followFrame(); }); });
    }
    // A frame goes at once, unless the last went less than a frame's time ago: then, as while the
    // line is still busy with the last one, the timer sends the next as soon as the rate allows.
    if (!m_followTimer->isActive()) {
        const int since =
            m_followSentAt.isValid() ? int(m_followSentAt.elapsed()) : followFrameMs();
        if (since >= followFrameMs()) {
            followFrame();
        } else {
            m_followTimer->start(followFrameMs() - since);
        }
    }
}

int MotionWindow::followFrameMs() const
{
    // Rounded up: never faster than the line carries.
    const int slots = m_followPlanner ? m_followPlanner->timing().slotsPerFrame : 1;
    return (1000 * slots + framesPerSecond - 1) / framesPerSecond;
}

void MotionWindow::followFrame()
{
    if (!m_followPlanner || playing()) {
        stopFollowing();
        return;
    }
    const std::optional<Target> to = target(true);
    if (!to || !(to->link == m_followLink)) {
        stopFollowing();
        return;
    }
    // Once the board has the goal, the line stays quiet until the playhead moves again.
    if (m_followAt == m_followGoal && m_followPlanner->settled()) {
        m_followTimer->stop();
        return;
    }
    // Each servo a step from where the board holds it: in Mini SSC a servo the frame cannot carry
    // stays where it is, and takes its step from there in a later frame, never a longer one.
    Positions next{};
    for (int servo = 0; servo < poseServos; ++servo) {
        const int from = m_followAt[size_t(servo)], goal = m_followGoal[size_t(servo)];
        next[size_t(servo)] = std::uint8_t(from + std::clamp(goal - from, -followStep, followStep));
    }
    const std::vector<std::uint8_t> bytes = m_followPlanner->frame(next, m_followSlot);
    m_followSlot += m_followPlanner->timing().slotsPerFrame;
    m_followAt = m_followPlanner->board(m_followAt);
    if (!bytes.empty()) {
        send(*to, Message{{to->link.baud, 'N', 8, 1}, {Write(bytes.begin(), bytes.end())}},
             QString());
        m_playback->noteSent(m_followAt);
        // The next frame a whole frame's time after this one has gone.
        m_followSentAt.start();
        m_followTimer->start(followFrameMs());
    }
}

void MotionWindow::showTime(std::int64_t elapsedMs)
{
    std::optional<std::int64_t> total;
    if (playing()) {
        total = m_playback->totalMs();
    } else if (sequence().rounds != 0) {
        std::int64_t round = 0;
        for (const Step &step : sequence().steps)
            round += std::int64_t(step.moveMs) + step.holdMs;
        total = round * sequence().rounds;
    }
    m_time->setText(total ? tr("%1 s of %2 s").arg(seconds(elapsedMs), seconds(*total))
                          : tr("%1 s, for ever").arg(seconds(elapsedMs)));
}

void MotionWindow::showLink()
{
    MotionLink link;
    try {
        link = m_host.motionLink();
    } catch (const std::exception &e) {
        m_linkLabel->setText(tr("No frames: %1").arg(QString::fromUtf8(e.what())));
        return;
    }
    if (link.baud <= 0 || !divisorAchievable(baudDivisorFor(link.baud))) {
        m_linkLabel->setText(tr("No frames: the board cannot run at %1 baud.").arg(link.baud));
        return;
    }
    const FrameTiming timing = frameTiming(link);
    //: %1 frames a second (may have a fraction), %2 the data format, %3 the baud rate.
    m_linkLabel->setText(tr("%1 frames a second, up to %n servos a frame (%2, %3 baud)", nullptr,
                            timing.servosPerFrame)
                             .arg(QString::number(timing.framesPerSecond(), 'g', 3))
                             .arg(link.nativeFormat ? tr("Quorvel") : tr("Mini SSC"))
                             .arg(link.baud));
}
