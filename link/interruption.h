#pragma once

// Set from the command line's SIGINT and SIGTERM handlers: a port cycle that waits for a port
// gives up at once, throws away what is left and closes, which clears its exclusive mode, so that
// an interrupted upload leaves the port as it found it. Process-wide, because a signal handler can
// reach nothing else.
void interruptPortWaits(int signal) noexcept; // safe in a signal handler
// The signal that interrupted, 0 for none.
int portWaitsInterrupted() noexcept;
void resetPortWaitInterruption() noexcept;
