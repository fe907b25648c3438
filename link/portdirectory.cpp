#include "link/portdirectory.h"

#include <algorithm>
#include <chrono>

std::string portName(int port)
{
    return "COM" + std::to_string(port);
}

std::optional<int> comPortNumber(std::string_view name, int highest)
{
    if (name.ends_with(':'))
        name.remove_suffix(1);
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; };
    if (name.size() < 4 || name.size() > 3 + std::to_string(highest).size() ||
        upper(name[0]) != 'C' || upper(name[1]) != 'O' || upper(name[2]) != 'M' || name[3] == '0')
        return std::nullopt;
    int number = 0;
    for (const char c : name.substr(3)) {
        if (c < '0' || c > '9')
            return std::nullopt;
        number = number * 10 + (c - '0');
    }
    if (number > highest)
        return std::nullopt;
    return number;
}

PortDirectory::PortDirectory(DeviceSource source, std::string recordPath, WallClock now)
    : m_source(std::move(source)), m_recordPath(std::move(recordPath)), m_now(std::move(now))
{
    if (!m_now)
        m_now = [] {
            return std::chrono::duration_cast<std::chrono::seconds>(
                       std::chrono::system_clock::now().time_since_epoch())
                .count();
        };
}

void PortDirectory::assign(int index, const SerialDevice &device)
{
    m_entries[index] = Entry{device, stampOf(device.node), true, true, false, m_now()};
}

void PortDirectory::takeFromRecord(const PortNumbers &inFile)
{
    // What the file holds now and did not when this instance last read or wrote it was given by
    // another instance, and stands: the file is the one record of every instance. A number the
    // file has lost (the file deleted or damaged) is written back from here.
    for (int i = 0; i < portCount; ++i) {
        const std::optional<RecordedAdapter> &file = inFile[i];
        if (!file || (m_recorded[i] && *m_recorded[i] == *file))
            continue;
        std::optional<Entry> &ours = m_entries[i];
        const SerialDevice &d = file->device;
        if (ours && ours->device.serialKey == d.serialKey && ours->device.pathKey == d.pathKey)
            ours->lastSeen = std::max(ours->lastSeen, file->lastSeen);
        else
            ours = Entry{d, {}, false, false, false, file->lastSeen};
    }
}

void PortDirectory::match(const std::vector<SerialDevice> &devices)
{
    auto count = [](const auto &range, const std::string &serial, auto keyOf) {
        return std::count_if(range.begin(), range.end(),
                             [&](const auto &x) { return keyOf(x) && *keyOf(x) == serial; });
    };
    auto deviceSerial = [](const SerialDevice &d) { return &d.serialKey; };
    auto entrySerial = [](const std::optional<Entry> &e) {
        return e ? &e->device.serialKey : nullptr;
    };
    std::array<bool, portCount> seen{};
    std::vector<const SerialDevice *> unnumbered;
    for (const SerialDevice &device : devices) {
        // By serial number alone while it is one of a kind, in what is plugged in and in what has
        // numbers; else (and without one) by the socket too.
        const bool alone = !device.serialKey.empty() &&
                           count(devices, device.serialKey, deviceSerial) == 1 &&
                           count(m_entries, device.serialKey, entrySerial) <= 1;
        int found = -1;
        for (int i = 0; i < portCount && found < 0; ++i) {
            const std::optional<Entry> &e = m_entries[i];
            if (e && !seen[i] && e->device.sameAdapter(device) &&
                (alone || e->device.pathKey == device.pathKey))
                found = i;
        }
        if (found >= 0) {
            assign(found, device);
            seen[found] = true;
        } else {
            unnumbered.push_back(&device);
        }
    }
    for (int i = 0; i < portCount; ++i) {
        if (m_entries[i] && !seen[i]) {
            m_entries[i]->present = false;
            m_entries[i]->lookAlike = false;
        }
    }
    for (const SerialDevice *device : unnumbered) {
        // A look-alike of an adapter that is away may be that adapter in another socket, or its
        // twin: it takes no number, and the away one's number sends nowhere until it is back.
        bool twinAway = false;
        for (std::optional<Entry> &e : m_entries) {
            if (e && !e->present && !device->serialKey.empty() &&
                e->device.serialKey == device->serialKey) {
                e->lookAlike = twinAway = true;
            }
        }
        if (twinAway)
            continue;
        // The lowest free number; else the one whose adapter was seen least recently, as long as
        // it has not been here in this run (a chosen port must never change its device).
        int free = -1;
        for (int i = 0; i < portCount && free < 0; ++i)
            if (!m_entries[i])
                free = i;
        if (free < 0) {
            for (int i = 0; i < portCount; ++i) {
                const std::optional<Entry> &e = m_entries[i];
                if (!e->present && !e->seenThisRun &&
                    (free < 0 || e->lastSeen < m_entries[free]->lastSeen))
                    free = i;
            }
        }
        if (free < 0)
            break;
        assign(free, *device);
    }
}

void PortDirectory::refresh()
{
    if (systemNumbersPorts()) {
        // COMn is the system's own COMn, there or not.
        const std::vector<SerialDevice> devices =
            m_source ? m_source() : std::vector<SerialDevice>();
        for (int i = 0; i < portCount; ++i) {
            m_entries[i].reset();
            for (const SerialDevice &device : devices)
                if (device.node == portName(i + 1))
                    assign(i, device);
        }
        m_read = true;
        return;
    }
    const PortRecordLock lock(m_recordPath);
    const PortNumbers inFile = readPortRecord(m_recordPath);
    takeFromRecord(inFile);
    m_recorded = inFile;
    match(m_source ? m_source() : std::vector<SerialDevice>());
    m_read = true;

    PortNumbers numbers;
    for (int i = 0; i < portCount; ++i)
        if (m_entries[i])
            numbers[i] = RecordedAdapter{m_entries[i]->device, m_entries[i]->lastSeen};
    // Written only under the lock, so that it never goes over another instance's numbers. A
    // record that cannot be written costs only the numbers of later runs.
    if (numbers != m_recorded && lock.held() && writePortRecord(m_recordPath, numbers))
        m_recorded = numbers;
}

const std::optional<PortDirectory::Entry> &PortDirectory::entry(int port)
{
    static const std::optional<Entry> none;
    if (!m_read)
        refresh();
    if (port < 1 || port > portCount)
        return none;
    return m_entries[port - 1];
}

SerialPort PortDirectory::open(int port, HolderScan &holders, HolderScan::Freshness freshness)
{
    const std::optional<Entry> &known = entry(port);
    if (!known)
        return {};
    // Its node is judged to be the very node numbered before it is opened: another adapter may
    // have its name now, and opening that one would already reset its board.
    if (known->present) {
        SerialPort opened(known->device.node, holders, freshness, known->stamp);
        // Opened the very node that was numbered, or failed for a reason that is not about which
        // device is there (in use, permission): the answer stands.
        if (opened.isOpen() ||
            (opened.error() != PortError::NoDevice && opened.error() != PortError::Changed))
            return opened;
    }
    // Gone, or its node made anew, possibly for another adapter: look again.
    refresh();
    if (known->lookAlike)
        return SerialPort::refused(PortError::LookAlike, known->device.node);
    if (!known->present)
        return {};
    SerialPort opened(known->device.node, holders, freshness, known->stamp);
    if (opened.error() == PortError::Changed)
        return {};
    return opened;
}
