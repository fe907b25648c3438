#pragma once

#include <QByteArray>
#include <string>
#include <sys/types.h>

// Another program holding a file or device: a child process that opens it until this object goes
// away, and then by default takes an exclusive lock on it.
class HeldByAnotherProcess
{
  public:
    enum class Hold
    {
        Lock,      // open and an advisory lock, as a careful program holds a file
        Open,      // a plain open, as a terminal program holds a port
        Exclusive, // open and the terminal's exclusive mode
    };

    explicit HeldByAnotherProcess(const std::string &path, Hold hold = Hold::Lock);
    ~HeldByAnotherProcess();
    HeldByAnotherProcess(const HeldByAnotherProcess &) = delete;
    HeldByAnotherProcess &operator=(const HeldByAnotherProcess &) = delete;

    // Whether the child got hold of it.
    bool holding() const { return m_holding; }
    pid_t pid() const { return m_pid; }

  private:
    pid_t m_pid = -1;
    bool m_holding = false;
};

// The bytes of a live-position message, as they arrive on the line.
QByteArray liveBytes(int servo, int position);
