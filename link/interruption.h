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
// quit request, a broken pipe, the user signals) ends the port's waits instead; the program then
// closes the port and exits with 128 + the signal.
class PortWaitInterrupts
{
  public:
    PortWaitInterrupts();
    ~PortWaitInterrupts();
    PortWaitInterrupts(const PortWaitInterrupts &) = delete;
    PortWaitInterrupts &operator=(const PortWaitInterrupts &) = delete;

  private:
    struct Saved;
    std::unique_ptr<Saved> m_saved;
};

// Output to a pipe whose reader has gone fails as a write, which the command line reports with
// its own status, rather than ending the program.
void writesToClosedPipesFail();
