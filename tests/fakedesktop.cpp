#include "tests/fakedesktop.h"

#include "app/application.h"
#include "app/tform1.h"
#include "link/portlink.h"

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

FreshWindow::FreshWindow()
{
    setApplicationTitle(QStringLiteral("Corvantis utility"));
    qputenv("XDG_STATE_HOME", state.path().toUtf8());
    form = std::make_unique<TForm1>(desk);
}

FreshWindow::~FreshWindow()
{
    form.reset();
}

void FreshWindow::choosePort(const std::string &device)
{
    desk.devices = {device};
    form->portLink().refresh();
    form->selectCOM1->trigger();
}
