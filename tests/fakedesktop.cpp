#include "tests/fakedesktop.h"

#include "app/application.h"
#include "app/tform1.h"
#include "link/portlink.h"

#include <QSettings>

std::optional<QString> FakeDesktop::chooseFile(const FileDialogRequest &request)
{
    fileRequests.push_back(request);
    if (fileAnswers.empty())
        return std::nullopt;
    const QString answer = fileAnswers.front();
    fileAnswers.pop_front();
    if (answer.isNull())
        return std::nullopt;
    return answer;
}

std::vector<SerialDevice> FakeDesktop::serialDevices()
{
    if (!sysClassTty.empty())
        return listSerialDevices(sysClassTty, devDir);
    std::vector<SerialDevice> listed;
    for (const std::string &node : devices)
        listed.push_back(SerialDevice::atNode(node));
    return listed;
}

QStringList FakeDesktop::errors() const
{
    QStringList texts;
    for (const Box &box : boxes)
        if (box.kind == QLatin1String("error"))
            texts << box.text;
    return texts;
}

namespace {
std::unique_ptr<TForm1> newWindow(const QTemporaryDir &state, FakeDesktop &desk,
                                  bool machineProcesses)
{
    desk.machineProcesses = machineProcesses;
    setApplicationTitle(QStringLiteral("Corvantis utility"));
    qputenv("XDG_STATE_HOME", state.path().toUtf8());
    // Recent files and folders in the test's own folder, never the machine's.
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       state.filePath(QStringLiteral("config")));
    return std::make_unique<TForm1>(desk);
}
} // namespace

FreshWindow::FreshWindow(bool machineProcesses)
    : form(newWindow(state, desk, machineProcesses)), ui(form.get())
{}

FreshWindow::~FreshWindow()
{
    form.reset();
}

void FreshWindow::choosePort(const std::string &device)
{
    desk.devices = {device};
    form->portLink().refresh();
    ui.selectCOM1->trigger();
}
