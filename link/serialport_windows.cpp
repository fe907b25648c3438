// Serial ports through the Win32 communications calls: CreateFile with no sharing, the time-outs,
// the line from the port's own DCB and the message's mode string, WriteFile, FlushFileBuffers as
// the drain, CloseHandle.
#include "link/deviceaccess.h"
#include "link/interruption.h"
#include "link/modestring.h"
#include "link/serialport.h"
#include "link/text_windows.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

namespace {
PortError portErrorOf(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_BAD_UNIT:
    case ERROR_NOT_READY:
    case ERROR_GEN_FAILURE:
        return PortError::NoDevice;
    // Windows opens a port for one program at a time: any other that has it open gives these.
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_BUSY:
        return PortError::InUse;
    default:
        return PortError::Other;
    }
}

// "COM3" or "com3:" is the system's port 3; 0 for any other name.
int comNumberOf(const std::string &name)
{
    std::string n = name;
    if (n.size() > 4 && n.compare(0, 4, "\\\\.\\") == 0)
        n = n.substr(4);
    if (!n.empty() && n.back() == ':')
        n.pop_back();
    if (n.size() < 4 || n.size() > 6 || std::toupper(static_cast<unsigned char>(n[0])) != 'C' ||
        std::toupper(static_cast<unsigned char>(n[1])) != 'O' ||
        std::toupper(static_cast<unsigned char>(n[2])) != 'M')
        return 0;
    int number = 0;
    for (size_t i = 3; i < n.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(n[i])))
            return 0;
        number = number * 10 + (n[i] - '0');
    }
    return number;
}

// The device-namespace name, which also reaches COM10 and above.
std::string deviceName(const std::string &name)
{
    if (const int number = comNumberOf(name))
        return "\\\\.\\COM" + std::to_string(number);
    return name;
}

bool isDeviceName(const std::string &name)
{
    return comNumberOf(name) != 0 || name.compare(0, 4, "\\\\.\\") == 0;
}

// Whether the system knows the port, asked without opening it.
bool portListed(const std::string &name)
{
    const int number = comNumberOf(name);
    if (number == 0)
        return false;
    wchar_t target[512];
    return ::QueryDosDeviceW(wide("COM" + std::to_string(number)).c_str(), target, 512) != 0;
}

// A port opened for writing; reads are never made. Each write is handed over in one WriteFile,
// which the write time-out ends when the port takes nothing more, so that a stalled adapter
// never holds the caller beyond its deadline.
class CommDriver final : public SerialDriver
{
  public:
    explicit CommDriver(HANDLE port) : m_port(port) {}

    bool setLine(const LineSettings &line) override
    {
        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        if (!::GetCommState(m_port, &dcb))
            return false;
        // A rate below 1 leaves the port's own, as a rate of 0 would hang the line up.
        const std::string mode = modeString(line.baud >= 1 ? line.baud : int(dcb.BaudRate));
        if (!::BuildCommDCBA(mode.c_str(), &dcb))
            return false;
        // Any whole rate goes straight in: the board's exact rates need no trick. Raw bytes, flow
        // control off, the rest as the port had it.
        if (line.baud >= 1)
            dcb.BaudRate = DWORD(line.baud);
        dcb.ByteSize = BYTE(line.dataBits);
        dcb.Parity = line.parity == 'E'   ? EVENPARITY
                     : line.parity == 'O' ? ODDPARITY
                     : line.parity == 'M' ? MARKPARITY
                     : line.parity == 'S' ? SPACEPARITY
                                          : NOPARITY;
        dcb.StopBits = line.stopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
        dcb.fBinary = TRUE;
        dcb.fParity = dcb.Parity != NOPARITY;
        dcb.fOutxCtsFlow = dcb.fOutxDsrFlow = FALSE;
        dcb.fOutX = dcb.fInX = FALSE;
        dcb.fRtsControl = RTS_CONTROL_ENABLE;
        dcb.fDtrControl = DTR_CONTROL_ENABLE;
        return ::SetCommState(m_port, &dcb) != 0;
    }

    long writeSome(std::span<const std::uint8_t> bytes) override
    {
        DWORD written = 0;
        if (!::WriteFile(m_port, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
            ::GetLastError() != ERROR_TIMEOUT)
            return -1; // unplugged
        return long(written);
    }

    bool waitForRoom(std::chrono::milliseconds timeout) override
    {
        // The next WriteFile waits for room itself, up to its time-out.
        ::Sleep(DWORD(std::min<long long>(timeout.count(), 1)));
        return true;
    }

    int unsent() override
    {
        DWORD errors = 0;
        COMSTAT status{};
        return ::ClearCommError(m_port, &errors, &status) ? int(status.cbOutQue) : 0;
    }

    void waitForLine(std::chrono::milliseconds time) override
    {
        // Short steps, so that Ctrl+C is seen soon.
        ::Sleep(DWORD(std::min<long long>(time.count(), 10)));
    }

    bool finishTransmitter() override { return ::FlushFileBuffers(m_port) != 0; }

    void discardUnsent() override { ::PurgeComm(m_port, PURGE_TXABORT | PURGE_TXCLEAR); }

    void close() override { ::CloseHandle(m_port); }

  private:
    HANDLE m_port;
};

// How long one WriteFile may wait for the port to take bytes before it returns what it took.
constexpr DWORD writeStep = 50;
} // namespace

DeviceStamp stampOf(const std::string &device)
{
    if (!portListed(device))
        return {};
    return {std::uint64_t(comNumberOf(device)), 1};
}

SerialPort::SerialPort(const std::string &device, HolderScan &, HolderScan::Freshness,
                       std::optional<DeviceStamp> expected)
    : m_device(device)
{
    // A number whose port has gone from the system's list is looked up again, not opened.
    if (expected && stampOf(device) != *expected) {
        m_error = PortError::Changed;
        return;
    }
    // Only a port is ever opened: any other name that is there (a file, a folder) is refused
    // before anything is opened, so nothing is written there.
    if (!isDeviceName(device)) {
        const DWORD attributes = ::GetFileAttributesW(wide(device).c_str());
        m_error =
            attributes == INVALID_FILE_ATTRIBUTES ? PortError::NoDevice : PortError::NotSerial;
        return;
    }
    // No sharing: the system's exclusive access. Read access too, which the communications
    // calls ask for on some systems; nothing is ever read.
    const HANDLE port =
        ::CreateFileW(wide(deviceName(device)).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        fail(int(::GetLastError()));
        return;
    }
    // A device that is no serial port (a printer, the console) takes no communications state.
    // A name the system keeps for a port that has no device behind it opens as nothing at all.
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    const DWORD type = ::GetFileType(port);
    if (type != FILE_TYPE_CHAR || !::GetCommState(port, &dcb)) {
        ::CloseHandle(port);
        m_error = type == FILE_TYPE_UNKNOWN ? PortError::NoDevice : PortError::NotSerial;
        return;
    }
    // The stall limit is the cycle's own: each write waits a short step for the port to take
    // bytes, and the cycle waits no longer than its deadline.
    COMMTIMEOUTS timeouts{};
    timeouts.ReadTotalTimeoutConstant = 100;
    timeouts.WriteTotalTimeoutConstant = writeStep;
    ::SetCommTimeouts(port, &timeouts);
    m_stamp = {std::uint64_t(comNumberOf(device)), 1};
    m_driver = std::make_unique<CommDriver>(port);
    m_error = PortError::None;
}

void SerialPort::fail(int error)
{
    m_error = portErrorOf(DWORD(error));
    m_systemError = m_error == PortError::Other ? error : 0;
}

PortCheck checkWithoutOpening(const std::string &device, HolderScan &)
{
    // A port in use by another program is found, and said, when a message is sent: Windows tells
    // it only to an open, and an open asserts DTR, which may reset the board.
    if (isDeviceName(device))
        return {portListed(device) ? PortError::None : PortError::NoDevice, {}};
    return {::GetFileAttributesW(wide(device).c_str()) == INVALID_FILE_ATTRIBUTES
                ? PortError::NoDevice
                : PortError::NotSerial,
            {}};
}

DeviceAccess deviceAccess(const std::string &)
{
    return {};
}
