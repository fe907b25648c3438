#include "tests/otherprocess.h"

#include "app/commandline.h"

#include <QFile>
#include <QProcessEnvironment>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

HeldByAnotherProcess::HeldByAnotherProcess(const std::string &path, Hold hold,
                                           const std::string &name)
{
    int ready[2];
    if (::pipe(ready) != 0)
        return;
    m_pid = ::fork();
    if (m_pid == 0) {
        // Only what it opens itself: the test's own descriptors on other devices are not its.
        ::close_range(3, unsigned(ready[1]) - 1, 0);
        ::close_range(unsigned(ready[1]) + 1, ~0U, 0);
        // Under a user-mode emulator the kernel knows the test by the emulator's name; the holder
        // takes the test's own, as it has on the target's processor, unless it is given one.
        ::prctl(PR_SET_NAME, name.empty() ? program_invocation_short_name : name.c_str());
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
        bool held = fd >= 0;
        if (held && hold == Hold::Lock)
            held = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        if (held && hold == Hold::Exclusive)
            held = ::ioctl(fd, TIOCEXCL) == 0;
        const char ok = held ? 'y' : 'n';
        (void)!::write(ready[1], &ok, 1);
        ::pause();
        ::_exit(0);
    }
    ::close(ready[1]);
    char ok = 0;
    (void)!::read(ready[0], &ok, 1);
    ::close(ready[0]);
    m_holding = ok == 'y';
}

HeldByAnotherProcess::~HeldByAnotherProcess()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
}

QByteArray liveBytes(int servo, int position)
{
    const int wire = position + 1843;
    QByteArray bytes;
    bytes.append(char(0xFE)).append(char(servo)).append(char(wire & 0xFF)).append(char(wire >> 8));
    return bytes;
}

OpenWatch::OpenWatch(const std::string &path) : m_fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
{
    ::inotify_add_watch(m_fd, path.c_str(), IN_OPEN);
}

OpenWatch::~OpenWatch()
{
    ::close(m_fd);
}

int OpenWatch::opens()
{
    int count = 0;
    alignas(inotify_event) char buffer[4096];
    ssize_t n;
    while ((n = ::read(m_fd, buffer, sizeof buffer)) > 0)
        for (char *at = buffer; at < buffer + n;) {
            const auto *event = reinterpret_cast<const inotify_event *>(at);
            count += (event->mask & IN_OPEN) != 0;
            at += sizeof(inotify_event) + event->len;
        }
    return count;
}

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
        if (!setting.output.isEmpty())
            ::dup2(::open(QFile::encodeName(setting.output).constData(), O_WRONLY), STDOUT_FILENO);
        if (!setting.folder.isEmpty() &&
            ::chdir(QFile::encodeName(setting.folder).constData()) != 0)
            ::_exit(127);
        if (!setting.terminal.empty()) {
            // A new session's first terminal opened becomes its controlling terminal.
            ::setsid();
            ::open(setting.terminal.c_str(), O_RDWR);
        }
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
        if (!signalled && std::chrono::steady_clock::now() >= started + setting.signalAfter) {
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
