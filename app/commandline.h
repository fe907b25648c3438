#pragma once

#include "link/portdirectory.h"
#include "settings/svofile.h"

#include <QString>
#include <QStringList>

class QTextStream;

// What the command line asks for.
struct CommandLine
{
    enum class Mode
    {
        Window,    // the window, with `file` loaded when one is given
        Upload,    // --upload FILE --port PORT, without a window
        ListPorts, // --list-ports
        Help,
        Version,
        Error, // `text` says what is wrong
    };
    Mode mode = Mode::Window;
    QString file;
    QString port;
    QString text; // the help or version text, or the error
};

// Exit statuses of the command line, for scripts.
enum ExitStatus
{
    exitDone = 0,
    exitUsage = 1,         // the command line itself is wrong
    exitFileRefused = 2,   // the settings file cannot be loaded
    exitNotAchievable = 3, // the board cannot run at the file's rate
    exitPortUnusable = 4,  // no such port, no device behind it, or in use
    exitNotSent = 5,       // the port did not take the bytes
};

// `arguments` as QCoreApplication::arguments() gives them, the program first.
CommandLine parseCommandLine(const QStringList &arguments);

// What a window just started holds after loading `content`: the address pulled into the range of
// the file's choices, and servo 0's pair as the bars leave it when set over their start-up
// positions. The rest is the file's.
SettingsFileContent asLoadedIntoFreshWindow(SettingsFileContent content);

// Sends the 41 bytes that a fresh window sends after loading `file` and pressing "Upload
// settings", to COM1..COM4 as `directory` numbers devices, or to a device path. Returns the exit
// status; anything refused is said in one line on `errors`, and then nothing is sent.
int uploadFile(const QString &file, const QString &port, PortDirectory &directory,
               QTextStream &errors);

// One line per COM number: its device, and whether it can be opened or why not.
int listPorts(PortDirectory &directory, QTextStream &out);

// Whether the arguments ask for something done without the window: then no display is needed.
bool runsWithoutWindow(int argc, char **argv);
// Those, on the machine's own serial devices unless `devices` lists others. Returns the exit
// status.
int runWithoutWindow(int argc, char **argv, PortDirectory::DeviceSource devices = {});
