#pragma once

#include <QString>
#include <exception>
#include <functional>

class TForm1;

// The application's title: its task-bar text and the caption of its error boxes.
QString applicationTitle();
void setApplicationTitle(const QString &title);

// The application's error report: shows the error's text (empty for anything that is not a
// standard exception) in the error box.
void reportError(std::exception_ptr error);

// The program's name and version, as --version and the desktop know them.
void setApplicationIdentity();

// Start-up: the application object, its title, the main window and the event loop. A settings
// file named on the command line is loaded once the window is shown. Returns the process's exit
// status: 0, or exitUsage for a command line it cannot take. `started` runs once the window is
// shown (test programs use it).
int runApplication(int argc, char **argv, const std::function<void(TForm1 &)> &started = {});
