#pragma once

#include <QByteArray>
#include <string>
#include <sys/types.h>

// Another program holding a file or device: a child process that opens it and takes an exclusive
// lock on it, until this object goes away.
class HeldByAnotherProcess
{
  public:
    explicit HeldByAnotherProcess(const std::string &path);
    ~HeldByAnotherProcess();
    HeldByAnotherProcess(const HeldByAnotherProcess &) = delete;
    HeldByAnotherProcess &operator=(const HeldByAnotherProcess &) = delete;

    // Whether the child got the lock.
    bool holding() const { return m_holding; }

  private:
    pid_t m_pid = -1;
    bool m_holding = false;
};

// The bytes of a live-position message, as they arrive on the line.
QByteArray liveBytes(int servo, int position);
