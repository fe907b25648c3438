#pragma once

#include <QByteArray>
#include <cstdint>
#include <string>
#include <sys/types.h>

class QProcessEnvironment;

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

    // `name` is the process's name, as the system lists it.
    explicit HeldByAnotherProcess(const std::string &path, Hold hold = Hold::Lock,
                                  const std::string &name = {});
    ~HeldByAnotherProcess();
    HeldByAnotherProcess(const HeldByAnotherProcess &) = delete;
    HeldByAnotherProcess &operator=(const HeldByAnotherProcess &) = delete;

    // Whether the child got hold of it.
    bool holding() const { return m_holding; }
    pid_t pid() const { return m_pid; }

  private:
    pid_t m_pid = -1;
    bool m_holding = false;
    // Where the port is held in this process, on Windows; elsewhere a child holds it.
    [[maybe_unused]] std::intptr_t m_handle = -1;
};

// The bytes of a live-position message, as they arrive on the line.
QByteArray liveBytes(int servo, int position);

// Counts the opens of a file or device node by anyone, as inotify reports them.
class OpenWatch
{
  public:
    explicit OpenWatch(const std::string &path);
    ~OpenWatch();
    OpenWatch(const OpenWatch &) = delete;
    OpenWatch &operator=(const OpenWatch &) = delete;

    // The opens since the last call.
    int opens();

  private:
    int m_fd = -1;
};
