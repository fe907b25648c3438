#include "app/commandline.h"
#include "tests/builtprogram.h"

#include <QFile>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

ProgramRun runBuiltProgram(const QString &program, const QStringList &arguments,
                           const QProcessEnvironment &environment, const ProgramSetting &setting)
{
    QStringList command;
#ifdef TARGET_EMULATOR
    command = QStringLiteral(TARGET_EMULATOR).split(QLatin1Char(';'));
#endif
    command << program << arguments;
    std::vector<QByteArray> words, settings;
    for (const QString &word : command)
        words.push_back(QByteArray::fromStdString(encodedPath(word)));
    for (const QString &setting : environment.toStringList())
        settings.push_back(setting.toLocal8Bit());
    std::vector<char *> argv, envp;
    for (QByteArray &word : words)
        argv.push_back(word.data());
    for (QByteArray &setting : settings)
        envp.push_back(setting.data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);

    ProgramRun run;
    int out[2], err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
        return run;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::dup2(err[1], STDERR_FILENO);
        if (setting.output == QLatin1String("|")) {
            int gone[2];
            if (::pipe(gone) != 0)
                ::_exit(127);
            ::close(gone[0]); // nobody will ever read it
            ::dup2(gone[1], STDOUT_FILENO);
        } else if (!setting.output.isEmpty()) {
            ::dup2(::open(QFile::encodeName(setting.output).constData(), O_WRONLY), STDOUT_FILENO);
        }
        if (!setting.folder.isEmpty() &&
            ::chdir(QFile::encodeName(setting.folder).constData()) != 0)
            ::_exit(127);
        if (!setting.terminal.empty()) {
            // A new session's first terminal opened becomes its controlling terminal; and, as for
            // a program started from a shell, it reads from it. (A user-mode emulator shows no
            // controlling terminal in /proc/self/stat, so there it is known by its input alone.)
            ::setsid();
            ::dup2(::open(setting.terminal.c_str(), O_RDWR), STDIN_FILENO);
        }
        ::signal(SIGPIPE, SIG_DFL); // as a shell starts it, whatever the test itself does
        ::execvpe(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    pollfd pipes[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    QByteArray *into[2] = {&run.out, &run.err};
    const auto started = std::chrono::steady_clock::now();
    const auto deadline = started + std::chrono::seconds(30);
    bool signalled = setting.signal == 0;
    int open = 2;
    while (open > 0) {
        if (!signalled && std::chrono::steady_clock::now() >= started + setting.signalAfter &&
            (!setting.signalWhen || setting.signalWhen())) {
            ::kill(pid, setting.signal);
            signalled = true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        const int wait = signalled ? int(left.count()) : 10;
        if (left.count() <= 0 || (::poll(pipes, 2, wait) < 0 && errno != EINTR))
            break;
        for (int i = 0; i < 2; ++i) {
            if (pipes[i].fd < 0 || !pipes[i].revents)
                continue;
            char buffer[4096];
            const ssize_t n = ::read(pipes[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                into[i]->append(buffer, n);
            } else if (n == 0 || errno != EINTR) {
                ::close(pipes[i].fd);
                pipes[i].fd = -1;
                --open;
            }
        }
    }
    for (const pollfd &pipe : pipes)
        if (pipe.fd >= 0)
            ::close(pipe.fd);
    if (open > 0) // still running when the time was up
        ::kill(pid, SIGKILL);
    int status = 0;
    if (pid > 0 && ::waitpid(pid, &status, 0) == pid && open == 0) {
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.crashed = WIFSIGNALED(status);
    }
    return run;
}
