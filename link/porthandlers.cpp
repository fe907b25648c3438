// The "Serial Port" menu and the "Upload settings" button.
#include "app/conversion.h"
#include "app/tform1.h"
#include "link/portdirectory.h"
#include "link/senders.h"
#include "link/serialport.h"
#include "params/baudmath.h"

void TForm1::SerialPort2Click(QObject *)
{
    PortDirectory &directory = portDirectory();
    directory.refresh();
    for (int port = 1; port <= PortDirectory::portCount; ++port) {
        QAction *item = portItem(port);
        const std::optional<PortDirectory::Entry> &entry = directory.entry(port);
        if (!entry) {
            item->setEnabled(false);
            item->setToolTip(QString::fromStdString(describe(PortError::NoDevice)));
            continue;
        }
        // The device it stands for, also when it has gone: the user sees which one is missing.
        QString tip = QString::fromStdString(entry->device.node);
        if (!entry->device.description.empty())
            tip += QStringLiteral(" \u2014 ") + QString::fromStdString(entry->device.description);
        // Opened as a cycle opens it, and closed at once.
        const SerialPort probe = entry->present ? directory.open(port) : SerialPort();
        item->setEnabled(probe.isOpen());
        if (!probe.isOpen())
            tip += QStringLiteral(": ") +
                   QString::fromStdString(describe(probe.error(), probe.holder()));
        item->setToolTip(tip);
    }
}

void TForm1::choosePort(int port)
{
    for (int n = 1; n <= PortDirectory::portCount; ++n)
        portItem(n)->setChecked(n == port);
    settings.comPort = port;
    Panel1->setVisible(true);
}

void TForm1::selectCOM1Click(QObject *)
{
    choosePort(1);
}

void TForm1::selectCOM2Click(QObject *)
{
    choosePort(2);
}

void TForm1::selectCOM3Click(QObject *)
{
    choosePort(3);
}

void TForm1::selectCOM4Click(QObject *)
{
    choosePort(4);
}

QAction *TForm1::portItem(int port) const
{
    const std::array<QAction *, PortDirectory::portCount> items{selectCOM1, selectCOM2, selectCOM3,
                                                                selectCOM4};
    return items[port - 1];
}

void TForm1::Button1Click(QObject *)
{
    if (settings.comPort == 0) {
        desktop().messageBox(QStringLiteral("Please select a COM port."),
                             QStringLiteral("No COM port Selected"));
        return;
    }
    // The divisor is one byte: uploading the low bits of a larger one would set the board to a
    // rate the user never chose.
    if (settings.baudDivisor > largestDivisor) {
        desktop().messageBox(QStringLiteral("The board cannot run at the chosen baud rate. Choose "
                                            "a higher rate before uploading."),
                             QStringLiteral("Upload settings"));
        return;
    }
    // Converted before the port is opened: a bad address sends nothing rather than leaving the
    // board part way through an upload.
    UploadContent content;
    content.address = toInt(Edit1->text());
    content.baudDivisor = settings.baudDivisor;
    content.nativeFormat = RadioButton4->isChecked();
    content.digitalController = RadioButton7->isChecked();
    content.sweepStarts = settings.sweepStarts;
    content.sweepEnds = settings.sweepEnds;
    sendMessage(settings.comPort, setupMode, uploadSequence(content));
}
