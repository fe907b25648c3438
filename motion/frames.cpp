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

void forEachFrame(const Player &player, const MotionLink &link,
                  const std::function<bool(const PlannedFrame &)> &take)
{
    FramePlanner planner(link);
    const int step = planner.timing().slotsPerFrame;
    for (std::int64_t slot = 0;; slot += step) {
        const Player::Moment moment = player.at(slotMicroseconds(slot) / 1000);
        PlannedFrame frame{slot, planner.frame(moment.targets, slot)};
        if (!frame.bytes.empty() && !take(frame))
            return;
        // The last frame puts every servo on the last pose, however many frames that takes.
        if (moment.finished && planner.settled())
            break;
        // In Mini SSC, while the board has every target and they stay as they are, frames carry
        // nothing: on to the last slot before they change, so that a long hold or a slow move
        // costs no more to plan than a short one. Slot k is at 100k/3 ms, rounded down.
        if (!link.nativeFormat && planner.settled() && !moment.finished) {
            const std::int64_t until = player.steadyUntil(slotMicroseconds(slot) / 1000);
            const std::int64_t last = (3 * until + 99) / 100 - 1;
            const std::int64_t next = last - last % step;
            if (next > slot)
                slot = next - step;
        }
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

Positions boardAfter(const Player &player, const MotionLink &link, std::int64_t slot,
                     Positions start)
{
    forEachFrame(player, link, [&](const PlannedFrame &frame) {
        if (frame.slot > slot)
            return false;
        const std::vector<std::uint8_t> &bytes = frame.bytes;
        if (link.nativeFormat) {
            std::copy(bytes.begin() + 4, bytes.begin() + 4 + poseServos, start.begin());
            return true;
        }
        for (size_t i = 0; i + 2 < bytes.size(); i += 3)
            start[size_t(bytes[i + 1] - link.address)] = bytes[i + 2];
        return true;
    });
    return start;
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
