#include "motion/frames.h"

#include <algorithm>
#include <numeric>

namespace {
// Bytes the line carries in a thirtieth of a second: ten bits a byte.
int bytesPerSlot(int baud)
{
    return std::max(baud / 10 / framesPerSecond, 1);
}

constexpr int nativeFrameBytes = 13;
constexpr int miniSscServoBytes = 3;
} // namespace

FrameTiming frameTiming(const MotionLink &link)
{
    const int room = bytesPerSlot(link.baud);
    const int least = link.nativeFormat ? nativeFrameBytes : miniSscServoBytes;
    FrameTiming timing;
    timing.slotsPerFrame = (least + room - 1) / room;
    timing.servosPerFrame =
        link.nativeFormat ? poseServos
                          : std::min(poseServos, room * timing.slotsPerFrame / miniSscServoBytes);
    return timing;
}

FramePlanner::FramePlanner(const MotionLink &link) : m_link(link), m_timing(frameTiming(link))
{
    m_waitingSince.fill(-1);
}

std::vector<std::uint8_t> FramePlanner::frame(const Positions &targets, std::int64_t slot)
{
    std::vector<std::uint8_t> bytes;
    if (m_link.nativeFormat) {
        bytes.assign(nativeFrameBytes, 0x00);
        bytes[0] = bytes[1] = 0xFF;
        bytes[2] = 0x08;
        std::copy(targets.begin(), targets.end(), bytes.begin() + 4);
        m_sent = targets;
        m_known.fill(true);
        return bytes;
    }
    // What the board has not got yet: before a servo's first message, its target, as the servo may
    // be anywhere.
    std::vector<int> waiting;
    for (int i = 0; i < poseServos; ++i) {
        const bool differs =
            carries(i) && (!m_known[size_t(i)] || targets[size_t(i)] != m_sent[size_t(i)]);
        if (!differs) {
            m_waitingSince[size_t(i)] = -1;
            continue;
        }
        if (m_waitingSince[size_t(i)] < 0)
            m_waitingSince[size_t(i)] = slot;
        waiting.push_back(i);
    }
    std::stable_sort(waiting.begin(), waiting.end(), [&](int a, int b) {
        return m_waitingSince[size_t(a)] < m_waitingSince[size_t(b)];
    });
    if (int(waiting.size()) > m_timing.servosPerFrame)
        waiting.resize(size_t(m_timing.servosPerFrame));
    std::sort(waiting.begin(), waiting.end());
    for (const int servo : waiting) {
        bytes.push_back(0xFF);
        bytes.push_back(std::uint8_t(m_link.address + servo));
        bytes.push_back(targets[size_t(servo)]);
        m_sent[size_t(servo)] = targets[size_t(servo)];
        m_known[size_t(servo)] = true;
        m_waitingSince[size_t(servo)] = -1;
    }
    return bytes;
}

bool FramePlanner::carries(int servo) const
{
    const std::int64_t number = std::int64_t(m_link.address) + servo;
    return m_link.nativeFormat || (number >= 0 && number <= 254);
}

bool FramePlanner::settled() const
{
    for (int i = 0; i < poseServos; ++i)
        if (carries(i) && (!m_known[size_t(i)] || m_waitingSince[size_t(i)] >= 0))
            return false;
    return true;
}

Positions FramePlanner::board(const Positions &unknown) const
{
    Positions board = unknown;
    for (int i = 0; i < poseServos; ++i)
        if (m_known[size_t(i)])
            board[size_t(i)] = m_sent[size_t(i)];
    return board;
}

FrameWalk::FrameWalk(const Player &player, const MotionLink &link)
    : m_player(&player), m_link(link), m_planner(link)
{}

bool FrameWalk::next(PlannedFrame &frame)
{
    const int step = m_planner.timing().slotsPerFrame;
    while (!m_done) {
        const std::int64_t slot = m_slot;
        const Player::Moment moment = m_player->at(slotMicroseconds(slot) / 1000);
        frame.slot = slot;
        frame.bytes = m_planner.frame(moment.targets, slot);
        m_slot += step;
        // The last frame puts every servo on the last pose, however many frames that takes.
        if (moment.finished && m_planner.settled()) {
            m_done = true;
        } else if (!m_link.nativeFormat && m_planner.settled() && !moment.finished) {
            // In Mini SSC, while the board has every target and they stay as they are, frames
            // carry nothing: on to the last slot before they change, so that a long hold or a slow
            // move costs no more to plan than a short one. Slot k is at 100k/3 ms, rounded down.
            const std::int64_t until = m_player->steadyUntil(slotMicroseconds(slot) / 1000);
            const std::int64_t last = (3 * until + 99) / 100 - 1;
            const std::int64_t next = last - last % step;
            if (next > slot)
                m_slot = next;
        }
        if (!frame.bytes.empty())
            return true;
    }
    return false;
}

void forEachFrame(const Player &player, const MotionLink &link,
                  const std::function<bool(const PlannedFrame &)> &take)
{
    FrameWalk walk(player, link);
    PlannedFrame frame;
    while (walk.next(frame) && take(frame)) {
    }
}

std::vector<PlannedFrame> planFrames(const Player &player, const MotionLink &link)
{
    std::vector<PlannedFrame> frames;
    forEachFrame(player, link, [&frames](const PlannedFrame &frame) {
        frames.push_back(frame);
        return true;
    });
    return frames;
}

namespace {
// What a frame leaves the board holding.
void arrive(const PlannedFrame &frame, const MotionLink &link, Positions &board)
{
    const std::vector<std::uint8_t> &bytes = frame.bytes;
    if (link.nativeFormat) {
        std::copy(bytes.begin() + 4, bytes.begin() + 4 + poseServos, board.begin());
        return;
    }
    for (size_t i = 0; i + 2 < bytes.size(); i += 3)
        board[size_t(bytes[i + 1] - link.address)] = bytes[i + 2];
}

// Marks kept for one show at most: past this, every other one goes and they are kept further apart.
constexpr size_t mostMarks = 4096;
} // namespace

Positions boardAfter(const Player &player, const MotionLink &link, std::int64_t slot,
                     Positions start)
{
    forEachFrame(player, link, [&](const PlannedFrame &frame) {
        if (frame.slot > slot)
            return false;
        arrive(frame, link, start);
        return true;
    });
    return start;
}

BoardTrack::BoardTrack(Player player, const MotionLink &link, const Positions &start, int markEvery)
    : m_player(std::move(player)), m_link(link), m_markEvery(std::max(markEvery, 1))
{
    m_marks.push_back({FrameWalk(m_player, m_link), start});
}

Positions BoardTrack::after(std::int64_t slot)
{
    // The last mark whose frames so far all come at or before the slot.
    const auto from =
        std::upper_bound(m_marks.begin() + 1, m_marks.end(), slot,
                         [](std::int64_t s, const Mark &m) { return s < m.walk.slot(); }) -
        1;
    const bool frontier = from + 1 == m_marks.end();
    Mark work = *from;
    PlannedFrame frame;
    for (int count = 1; work.walk.next(frame) && frame.slot <= slot; ++count) {
        arrive(frame, m_link, work.board);
        if (!frontier || count % m_markEvery != 0)
            continue;
        m_marks.push_back(work);
        if (m_marks.size() >= mostMarks) {
            for (size_t i = 1; 2 * i < m_marks.size(); ++i)
                m_marks[i] = m_marks[2 * i];
            m_marks.erase(m_marks.begin() + std::ptrdiff_t((m_marks.size() + 1) / 2),
                          m_marks.end());
            m_markEvery *= 2;
        }
    }
    return work.board;
}

void forEachSlot(const Player &player,
                 const std::function<void(std::int64_t slot, const Positions &)> &take)
{
    for (std::int64_t slot = 0;; ++slot) {
        const Player::Moment moment = player.at(slotMicroseconds(slot) / 1000);
        take(slot, moment.targets);
        if (moment.finished)
            break;
    }
}

std::vector<Positions> targetsEverySlot(const Player &player)
{
    std::vector<Positions> rows;
    forEachSlot(player,
                [&rows](std::int64_t, const Positions &targets) { rows.push_back(targets); });
    return rows;
}
