#pragma once

#include <QByteArray>
#include <QStringList>
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

// A program built with the tests, run to its end as from a script.
struct ProgramRun
{
    int status = -1;      // exit status; -1 when it did not exit by itself within the time
    bool crashed = false; // ended by a signal
    QByteArray out, err;
};
// Runs it with this environment for at most 30 seconds; in a cross build through the emulator that
// runs the tests. Not with QProcess: a user-mode emulator may not know how Qt starts a child (a
// clone that returns a process descriptor).
ProgramRun runBuiltProgram(const QString &program, const QStringList &arguments,
                           const QProcessEnvironment &environment);
