// A built program run to its end, on Windows (under Wine as well), where a test starts it as any
// Windows program is started. The settings that only a POSIX system has (a controlling terminal, a
// signal, an output that is a file of its own) are not offered here: tests that need them do not
// run on Windows.
#include "tests/builtprogram.h"

#include <QProcess>

ProgramRun runBuiltProgram(const QString &program, const QStringList &arguments,
                           const QProcessEnvironment &environment, const ProgramSetting &setting)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    if (!setting.folder.isEmpty())
        process.setWorkingDirectory(setting.folder);
    process.start(program, arguments);
    ProgramRun run;
    if (!process.waitForStarted(30000))
        return run;
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        run.out = process.readAllStandardOutput();
        run.err = process.readAllStandardError();
        return run;
    }
    run.out = process.readAllStandardOutput();
    // The console's line ends, as a test compares the program's own text.
    run.err = process.readAllStandardError().replace("\r\n", "\n");
    run.out.replace("\r\n", "\n");
    run.crashed = process.exitStatus() == QProcess::CrashExit;
    run.status = process.exitCode();
    return run;
}
