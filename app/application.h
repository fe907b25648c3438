#pragma once

#include <QString>
#include <exception>
#include <functional>

class Desktop;
class TForm1;

// The application's title: its task-bar text and the caption of its error boxes.
QString applicationTitle();
void setApplicationTitle(const QString &title);

// Start-up: the application object, its title, the main window and the event loop, once the
// command line has asked for the window. `file`, when given, is loaded once the window is shown; a
// sequence file (.svseq) opens in the Motion window.
// Returns the process's exit status, 0. The window works with the system's desktop unless given
// another; `started` runs once the window is shown (test programs use both).
int runApplication(int argc, char **argv, const QString &file = {},
                   const std::function<void(TForm1 &)> &started = {}, Desktop *desktop = nullptr);
