#include "motion/playback.h"

#include "link/interruption.h"

#include <condition_variable>
#include <mutex>
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
    Progress progress;
    std::thread thread;

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
    if (!port.applyLineSettings({link.baud, 'N', 8, 1})) {
        port.close();
        end(Ending::lineRefused);
        return;
    }
    FramePlanner planner(link);
    const int step = planner.timing().slotsPerFrame;
    const Clock::time_point start = Clock::now();
    Ending ending = Ending::finished;
    for (std::int64_t slot = 0;; slot += step) {
        {
            std::unique_lock lock(mutex);
            // A frame whose moment has passed by a whole frame is left out: the next one on time
            // carries the targets of its own moment.
            const auto now = Clock::now();
            const std::int64_t behind =
                std::chrono::duration_cast<std::chrono::microseconds>(now - start).count();
            std::int64_t due = slot;
            while (slotMicroseconds(due + step) <= behind)
                due += step;
            progress.framesLeftOut += (due - slot) / step;
            slot = due;
            wake.wait_until(lock, start + std::chrono::microseconds(slotMicroseconds(slot)),
                            [this] { return stopAsked; });
            if (stopAsked) {
                ending = Ending::stopped;
                break;
            }
        }
        if (portWaitsInterrupted()) {
            ending = Ending::interrupted;
            break;
        }
        const Player::Moment moment = player.at(slotMicroseconds(slot) / 1000);
        const std::vector<std::uint8_t> bytes = planner.frame(moment.targets, slot);
        if (!bytes.empty()) {
            const auto began = Clock::now();
            if (!port.write(bytes, began + stallLimit)) {
                ending = portWaitsInterrupted()                  ? Ending::interrupted
                         : Clock::now() - began < stallLimit / 2 ? Ending::gone
                                                                 : Ending::stalled;
                break;
            }
            if (tap)
                tap(slot, bytes);
        }
        {
            const std::lock_guard lock(mutex);
            progress.elapsedMs = slotMicroseconds(slot) / 1000;
            progress.last = moment.targets;
            progress.framesSent += !bytes.empty();
        }
        if (moment.finished && planner.settled())
            break;
    }
    // What is on its way goes out at these settings; a port that will not take it loses it.
    if (ending == Ending::finished || ending == Ending::stopped) {
        if (!port.drain(Clock::now() + stallLimit))
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
    }
    m_state->wake.notify_all();
}

void Playback::wait()
{
    if (m_state->thread.joinable())
        m_state->thread.join();
}

Playback::Progress Playback::progress() const
{
    const std::lock_guard lock(m_state->mutex);
    return m_state->progress;
}
