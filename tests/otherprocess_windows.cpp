// Other programs on Windows, as far as a test under Wine can stand them in: a port held is one
// this process has open, as Windows gives a port to one opener at a time.
#include "tests/faketree.h"
#include "tests/otherprocess.h"

#include <windows.h>

HeldByAnotherProcess::HeldByAnotherProcess(const std::string &path, Hold, const std::string &)
{
    const std::string name = path.rfind("COM", 0) == 0 ? "\\\\.\\" + path : path;
    const HANDLE held = ::CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    m_holding = held != INVALID_HANDLE_VALUE;
    m_pid = pid_t(::GetCurrentProcessId());
    m_handle = reinterpret_cast<std::intptr_t>(held);
}

HeldByAnotherProcess::~HeldByAnotherProcess()
{
    if (m_holding)
        ::CloseHandle(reinterpret_cast<HANDLE>(m_handle));
}

// Opens cannot be watched here; a test that needs to count them does not run on Windows.
OpenWatch::OpenWatch(const std::string &) {}

OpenWatch::~OpenWatch() = default;

int OpenWatch::opens()
{
    return -1;
}

// No process table or lock files to lay out: Windows tells who holds a port by the open alone.
void FakeProcesses::add(int, const std::string &, std::int64_t, const std::vector<std::string> &) {}

void FakeProcesses::lock(const std::string &, const QByteArray &, std::int64_t) {}
