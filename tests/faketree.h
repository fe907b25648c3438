#pragma once

#include "link/holders.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <string>
#include <vector>

// A sysfs tty class and a /dev of our own, laid out as the kernel lays them out.
class FakeTree
{
  public:
    FakeTree();

    std::string sysClassTty() const;
    std::string devDir() const;

    // A tty; `hardware` puts a device behind it, `uartType` gives a UART's type.
    void add(const std::string &name, bool hardware, const char *uartType = nullptr,
             bool node = true);
    // A USB serial adapter in a socket ("1-2") whose node is a link to `target`; no serial
    // number when `serial` is empty.
    void plugUsb(const std::string &name, const std::string &socket, const std::string &serial,
                 const std::string &target);
    // Every USB adapter out.
    void unplugUsb();
    // The node names listSerialDevices gives, in order.
    QStringList list() const;

  private:
    QTemporaryDir m_root;
};

// A process table of the test's own, laid out as /proc lays it out, and a lock folder beside it:
// only the processes a test puts there are looked through, so that what a test finds, and how long
// it takes, never depends on what else runs on the machine.
class FakeProcesses
{
  public:
    FakeProcesses();

    HolderRoots roots() const;
    std::string lockDir() const;

    // A real process, as the system shows it: a child of the test's.
    void addReal(int pid);
    // A process of the table alone: its name, when it started (seconds since the epoch), and the
    // nodes it has open, each reached as it names them (links followed). Its pid is above any the
    // system gives, so no real process is ever taken for it.
    void add(int pid, const std::string &name, std::int64_t startedAt,
             const std::vector<std::string> &open = {});
    // A lock file for the device named `name` ("ttyUSB0"), written at `writtenAt` (seconds since
    // the epoch; 0 for now).
    void lock(const std::string &name, const QByteArray &bytes, std::int64_t writtenAt = 0);

    static constexpr int firstMadeUpPid = 90'000'000;

  private:
    QTemporaryDir m_root;
};
