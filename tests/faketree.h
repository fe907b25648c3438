#pragma once

#include <QStringList>
#include <QTemporaryDir>
#include <string>

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
