#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <string>

// A program built with the tests, run to its end as from a script.
struct ProgramRun
{
    int status = -1;      // exit status; -1 when it did not exit by itself within the time
    bool crashed = false; // ended by a signal
    QByteArray out, err;
};
// How it is started, beyond its arguments and environment.
struct ProgramSetting
{
    QString folder;       // its current folder; the test's when empty
    std::string terminal; // a pseudo-terminal it gets as its controlling terminal and input
    QString output;       // a file its standard output goes to, rather than `out`; "|" a pipe
                          // whose reader has gone
    int signal = 0;       // sent to it after `signalAfter`, once `signalWhen` holds
    std::chrono::milliseconds signalAfter{0};
    std::function<bool()> signalWhen; // what the program must have done first (a busy machine
                                      // may take any time to start it)
};
// Runs it with this environment for at most 30 seconds; in a cross build through the emulator that
// runs the tests. Not with QProcess: a user-mode emulator may not know how Qt starts a child (a
// clone that returns a process descriptor). Arguments are passed as the bytes encodedPath gives, so
// that a file name that is not UTF-8 reaches it as it is.
ProgramRun runBuiltProgram(const QString &program, const QStringList &arguments,
                           const QProcessEnvironment &environment,
                           const ProgramSetting &setting = {});
