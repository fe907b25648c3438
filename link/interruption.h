#pragma once

#include <memory>

// Set from the command line's signal handlers: a port cycle that waits for a port gives up at
// once, throws away what is left and closes, which clears its exclusive mode, so that an
// interrupted upload leaves the port as it found it. Process-wide, because a signal handler can
// reach nothing else.
void interruptPortWaits(int signal) noexcept; // safe in a signal handler
// The signal that interrupted, 0 for none.
int portWaitsInterrupted() noexcept;
void resetPortWaitInterruption() noexcept;

// While it lives, every signal that would end the program (Ctrl+C, a hang-up, a termination or
// quit request, a broken pipe, the user signals, the timers' alarms, the limits' signals, the
// real-time signals) ends the port's waits instead; the program then closes the port, which
// clears its exclusive mode, and exits with 128 + the signal. Faults (a bad access, an abort) are
// left alone: nothing can be carried on after them.
class PortWaitInterrupts
{
  public:
    PortWaitInterrupts();
    ~PortWaitInterrupts(); // puts back what each signal did before
    PortWaitInterrupts(const PortWaitInterrupts &) = delete;
    PortWaitInterrupts &operator=(const PortWaitInterrupts &) = delete;

    // Puts back what each signal did before, then delivers `signal` as that would have: the
    // program ends as it would have ended had nothing been caught, once its port is free.
    static void endAsBefore(std::unique_ptr<PortWaitInterrupts> interrupts, int signal);

  private:
    struct Saved;
    std::unique_ptr<Saved> m_saved;
};

// Output to a pipe whose reader has gone fails as a write, which the command line reports with
// its own status, rather than ending the program.
void writesToClosedPipesFail();
