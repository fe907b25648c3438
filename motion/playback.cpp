#include "motion/playback.h"

#include "link/interruption.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

struct Playback::State
{
    State(SerialPort port, Player player, MotionLink link, std::chrono::milliseconds stallLimit,
          Tap tap)
        : port(std::move(port)), player(std::move(player)), link(link), stallLimit(stallLimit),
          tap(std::move(tap))
    {}

    SerialPort port;
    Player player;
    MotionLink link;
    std::chrono::milliseconds stallLimit;
    Tap tap;

    mutable std::mutex mutex;
    std::condition_variable wake;
    bool stopAsked = false;
    // The same, seen by a write or drain under way without the lock.
    std::atomic<bool> stopping{false};
    Progress progress;
    std::vector<LeftOut> leftOut;
    std::thread thread;

    // Under the lock.
    void leaveOut(std::int64_t slot, int step)
    {
        ++progress.framesLeftOut;
        if (!leftOut.empty() && leftOut.back().lastSlot + step == slot)
            leftOut.back().lastSlot = slot;
        else if (leftOut.size() < mostLeftOutRuns)
            leftOut.push_back({slot, slot});
    }

    void end(Ending ending)
    {
        const std::lock_guard lock(mutex);
        progress.ending = ending;
    }

    void run();
};

void Playback::State::run()
{
    using Clock = std::chrono::steady_clock;
    using std::chrono::microseconds;
    {
        const WakeUps granted = askForTimelyWakeUps();
        const std::lock_guard lock(mutex);
        progress.wakeUps = granted;
    }
    if (!port.applyLineSettings({link.baud, 'N', 8, 1})) {
        port.close();
        end(Ending::lineRefused);
        return;
    }
    FramePlanner planner(link);
    const Positions first = player.at(0).targets;
    {
        const std::lock_guard lock(mutex);
        progress.last = first;
    }
    const int step = planner.timing().slotsPerFrame;
    // The show's last frame slot: the first on or after its end. Slots after it only carry the
    // last pose to servos that have not had it yet (Mini SSC at a low rate), are not part of the
    // show, and are never counted as left out.
    std::optional<std::int64_t> lastSlot;
    if (const std::optional<std::int64_t> total = player.totalMs()) {
        const std::int64_t first = (*total * framesPerSecond + 999) / 1000; // on or after the end
        lastSlot = (first + step - 1) / step * step;
    }
    const auto inShow = [&lastSlot](std::int64_t slot) { return !lastSlot || slot <= *lastSlot; };
    // Set again when the first frame goes, so that a thread put aside before it does not make
    // every later frame look late.
    Clock::time_point start = Clock::now();
    const auto moment = [&start](std::int64_t slot) {
        return start + microseconds(slotMicroseconds(slot));
    };
    // Past its moment by more than the tolerance: sent now, it would land next to the next one.
    // The first frame sets the clock and the last puts every servo on the last pose, with no
    // frame after it: those two always go.
    const auto late = [&](std::int64_t slot, Clock::time_point now) {
        return slot > 0 && (!lastSlot || slot < *lastSlot) && now - moment(slot) > lateTolerance;
    };
    // A write can also be held up after the clock was looked at (the thread put aside in the
    // middle of it): a frame that would follow such a late one closer than a frame less the
    // tolerance is left out too, so that no two frames ever land together.
    const auto spacing = microseconds(slotMicroseconds(step)) - lateTolerance;
    std::optional<Clock::time_point> handedOver; // when the last frame's write returned
    const auto crowded = [&](std::int64_t slot, Clock::time_point now) {
        return slot > 0 && (!lastSlot || slot < *lastSlot) && handedOver &&
               now - *handedOver < spacing;
    };
    Ending ending = Ending::finished;
    bool cutShort = false; // a write ended by a Stop
    for (std::int64_t slot = 0;; slot += step) {
        {
            std::unique_lock lock(mutex);
            // Slots whose moment has passed are left out: the next one on time carries the
            // targets of its own moment.
            for (const auto now = Clock::now(); late(slot, now); slot += step)
                leaveOut(slot, step);
            wake.wait_until(lock, moment(slot), [this] { return stopAsked; });
            if (stopAsked) {
                ending = Ending::stopped;
                break;
            }
        }
        if (portWaitsInterrupted()) {
            ending = Ending::interrupted;
            break;
        }
        // The wait may have woken late (a busy machine, a paused process): looked at again.
        if (const auto now = Clock::now(); late(slot, now) || crowded(slot, now)) {
            const std::lock_guard lock(mutex);
            leaveOut(slot, step);
            continue;
        }
        const Player::Moment now = player.at(slotMicroseconds(slot) / 1000);
        const std::vector<std::uint8_t> bytes = planner.frame(now.targets, slot);
        if (!bytes.empty()) {
            const auto began = Clock::now();
            if (slot == 0)
                start = began;
            if (!port.write(bytes, began + stallLimit, &stopping)) {
                ending = portWaitsInterrupted()                  ? Ending::interrupted
                         : stopping                              ? Ending::stopped
                         : Clock::now() - began < stallLimit / 2 ? Ending::gone
                                                                 : Ending::stalled;
                cutShort = true;
                break;
            }
            handedOver = Clock::now();
            if (tap)
                tap(slot, bytes);
        }
        {
            const std::lock_guard lock(mutex);
            progress.elapsedMs = slotMicroseconds(inShow(slot) ? slot : *lastSlot) / 1000;
            progress.last = planner.board(first);
            progress.framesSent += !bytes.empty();
        }
        if (now.finished && planner.settled())
            break;
    }
    // What is on its way goes out at these settings: after the show, as long as the stall limit
    // allows, unless a Stop comes first; after a Stop between frames, for as long as a frame
    // needs on the line. Anything else loses it: a frame cut short by a Stop is not finished, and
    // a port that will not take it keeps nothing.
    const auto frameTime = microseconds(slotMicroseconds(step)) + lateTolerance;
    if (ending == Ending::finished) {
        if (!port.drain(Clock::now() + stallLimit, &stopping))
            port.discardOutput();
    } else if (ending == Ending::stopped && !cutShort) {
        if (!port.drain(Clock::now() + frameTime))
            port.discardOutput();
    } else {
        port.discardOutput();
    }
    port.close();
    end(ending);
}

Playback::Playback(SerialPort port, Player player, MotionLink link,
                   std::chrono::milliseconds stallLimit, Tap tap)
    : m_state(std::make_unique<State>(std::move(port), std::move(player), link, stallLimit,
                                      std::move(tap)))
{
    m_state->thread = std::thread([state = m_state.get()] { state->run(); });
}

Playback::~Playback()
{
    stop();
    wait();
}

void Playback::stop()
{
    {
        const std::lock_guard lock(m_state->mutex);
        m_state->stopAsked = true;
        m_state->stopping = true;
    }
    m_state->wake.notify_all();
}

void Playback::wait()
{
    if (m_state->thread.joinable())
        m_state->thread.join();
}

std::vector<Playback::LeftOut> Playback::leftOut(size_t first) const
{
    const std::lock_guard lock(m_state->mutex);
    const std::vector<LeftOut> &all = m_state->leftOut;
    return {all.begin() + std::ptrdiff_t(std::min(first, all.size())), all.end()};
}

Playback::Progress Playback::progress() const
{
    const std::lock_guard lock(m_state->mutex);
    return m_state->progress;
}
