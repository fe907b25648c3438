// The system's own port list: the ports the serial drivers have named, and what each adapter
// calls itself where the device manager knows it.
#include "link/portdirectory.h"
#include "link/text_windows.h"

#include <algorithm>
#include <map>
#include <setupapi.h>

namespace {
// "COM3" to 3; 0 for a name that is not a COM port's.
int numberOf(const std::wstring &name)
{
    if (name.size() < 4 || _wcsnicmp(name.c_str(), L"COM", 3) != 0)
        return 0;
    int number = 0;
    for (size_t i = 3; i < name.size(); ++i) {
        if (name[i] < L'0' || name[i] > L'9' || number > 100000)
            return 0;
        number = number * 10 + (name[i] - L'0');
    }
    return number;
}

// The friendly names of the ports the device manager lists, by COM number. Not every system
// answers (a compatibility layer may list none); a port is then known by its name alone.
std::map<int, std::string> friendlyNames()
{
    std::map<int, std::string> names;
    const HDEVINFO set =
        ::SetupDiGetClassDevsW(nullptr, L"Ports", nullptr, DIGCF_PRESENT | DIGCF_ALLCLASSES);
    if (set == INVALID_HANDLE_VALUE)
        return names;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD i = 0; ::SetupDiEnumDeviceInfo(set, i, &device); ++i) {
        const HKEY key =
            ::SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
        if (key == INVALID_HANDLE_VALUE)
            continue;
        wchar_t port[64] = {};
        DWORD size = sizeof port - sizeof(wchar_t), type = 0;
        const bool named =
            ::RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE *>(port),
                               &size) == ERROR_SUCCESS &&
            type == REG_SZ;
        ::RegCloseKey(key);
        wchar_t friendly[256] = {};
        if (named &&
            ::SetupDiGetDeviceRegistryPropertyW(set, &device, SPDRP_FRIENDLYNAME, nullptr,
                                                reinterpret_cast<BYTE *>(friendly),
                                                sizeof friendly - sizeof(wchar_t), nullptr))
            if (const int number = numberOf(port))
                names[number] = utf8(friendly);
    }
    ::SetupDiDestroyDeviceInfoList(set);
    return names;
}
} // namespace

std::string exampleSerialDevice()
{
    return "\\\\.\\COM10";
}

bool systemNumbersPorts()
{
    return true;
}

std::vector<SerialDevice> listSerialDevices()
{
    std::vector<std::pair<int, std::string>> ports;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ,
                        &key) == ERROR_SUCCESS) {
        for (DWORD i = 0;; ++i) {
            wchar_t name[256], value[64] = {};
            DWORD nameSize = 256, valueSize = sizeof value - sizeof(wchar_t), type = 0;
            if (::RegEnumValueW(key, i, name, &nameSize, nullptr, &type,
                                reinterpret_cast<BYTE *>(value), &valueSize) != ERROR_SUCCESS)
                break;
            if (const int number = type == REG_SZ ? numberOf(value) : 0)
                ports.emplace_back(number, utf8(value));
        }
        ::RegCloseKey(key);
    }
    std::sort(ports.begin(), ports.end());
    const std::map<int, std::string> names = friendlyNames();
    std::vector<SerialDevice> devices;
    for (const auto &[number, name] : ports) {
        SerialDevice device = SerialDevice::atNode(name);
        if (const auto it = names.find(number); it != names.end())
            device.description = it->second;
        devices.push_back(device);
    }
    return devices;
}

std::vector<SerialDevice> listSerialDevices(const std::string &, const std::string &)
{
    return listSerialDevices();
}
