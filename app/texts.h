#pragma once

#include "link/portdirectory.h"
#include "link/porterror.h"
#include "link/serialdevice.h"
#include "settings/fileaccess.h"

#include <QCoreApplication>
#include <QString>
#include <optional>

struct PortReport
{
    bool usable = false;
    QString text;
};

// The words the user reads, the same from the window and from the command line. The layers below
// report what happened as values; only here does it become a sentence.
class Texts
{
    Q_DECLARE_TR_FUNCTIONS(Texts)

  public:
    // Why a port cannot be used: "no device", "in use by minicom (pid 4242)", ...
    static QString portError(PortError error, const std::optional<PortHolder> &holder);
    // "/dev/ttyUSB0 — FTDI FT232R USB UART, serial A50285BI", or the node alone.
    static QString device(const SerialDevice &device);
    // What COMn stands for, also when its device has gone, and why it cannot be used now. Opens
    // the device as a message would, and closes it at once.
    static PortReport port(PortDirectory &directory, int port);

    // One plain sentence naming the file and why it is not loaded; empty when it is loaded.
    static QString loadRefusal(const QString &path, const LoadedSettings &loaded);
    static QString saveFailure(const QString &path, const QString &reason);

    static QString noPortChosen();
    static QString noPortChosenCaption();
    static QString rateNotAchievable();
    static QString uploadCaption();

    // A numeric text that does not convert.
    static QString notAWholeNumber(const QString &text);
};
