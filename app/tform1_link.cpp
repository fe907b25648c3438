// Controller link: the "Serial Port" menu, the "Upload settings" button, and what the Motion window
// plays on.
#include "app/conversion.h"
#include "app/eventguard.h"
#include "app/texts.h"
#include "app/tform1.h"
#include "link/portlink.h"
#include "link/senders.h"
#include "params/baudmath.h"
#include "ui_tform1.h"

#include <QToolTip>
#include <stdexcept>

void TForm1::SerialPort2Click(QObject *)
{
    portLink().refresh();
    for (int port = 1; port <= PortDirectory::portCount; ++port) {
        QAction *item = portItem(port);
        const PortReport report = Texts::port(portLink(), port);
        item->setEnabled(report.usable);
        // The menu keeps to COM1 to COM4 where the system gives adapters higher numbers too.
        const QString tip = !report.usable && systemNumbersPorts()
                                ? Texts::renumberAdvice(report.text, port)
                                : report.text;
        // A tooltip that looks like markup is shown as markup: the device's own words are not.
        item->setToolTip(Qt::mightBeRichText(tip) ? Qt::convertFromPlainText(tip, Qt::WhiteSpaceNormal)
                                                  : tip);
    }
}

void TForm1::choosePort(int port)
{
    for (int n = 1; n <= PortDirectory::portCount; ++n)
        portItem(n)->setChecked(n == port);
    m_settings.comPort = port;
    ui->Panel1->setVisible(true);
    followPlayback(m_heldPort);
    // The messages of the edits that follow use this look at other programs' holds.
    portLink().holders().scanNow();
}

void TForm1::selectCOMClick(QObject *, int port)
{
    choosePort(port);
}

void TForm1::makePortItems()
{
    for (int port = 1; port <= PortDirectory::portCount; ++port) {
        QAction *item = ui->SerialPort2->addAction(QString::fromStdString(portName(port)));
        item->setObjectName(QStringLiteral("selectCOM%1").arg(port));
        item->setCheckable(true);
        m_portItems.push_back(item);
        connect(item, &QAction::triggered, this,
                [this, item, port] { runHandler([&] { selectCOMClick(item, port); }); });
    }
}

void TForm1::Button1Click(QObject *)
{
    if (m_settings.comPort == 0) {
        m_desktop.messageBox(Texts::noPortChosen(), Texts::noPortChosenCaption());
        return;
    }
    if (!divisorAchievable(m_settings.baudDivisor)) {
        m_desktop.messageBox(Texts::rateNotAchievable(), Texts::uploadCaption());
        return;
    }
    // Converted before the port is opened: a bad address sends nothing rather than leaving the
    // board part way through an upload.
    const UploadContent content = uploadContentOf(settingsInWindow());
    const SendResult sent = sendMessage(portLink(), m_settings.comPort, uploadSequence(content),
                                        HolderScan::Freshness::Now);
    // An upload that did not reach the board must not look like one that did: the user is told
    // why, in the command line's words, in the application's error box.
    if (!sent.delivered)
        throw std::runtime_error(
            Texts::notSent(QString::fromStdString(portName(m_settings.comPort)), &portLink(),
                           m_settings.comPort, sent)
                .toStdString());
}

void TForm1::sendLive(QWidget *control, int servo, int position)
{
    noteRefusal(control,
                sendMessage(portLink(), m_settings.comPort, livePositionMessage(servo, position)));
}

void TForm1::noteRefusal(QWidget *control, const SendResult &sent)
{
    if (sent.error != PortError::Playing)
        return;
    const QString sentence = Texts::notSent(QString::fromStdString(portName(m_settings.comPort)),
                                            &portLink(), m_settings.comPort, sent);
    control->setToolTip(sentence);
    QToolTip::showText(control->mapToGlobal(QPoint(0, control->height())), sentence, control);
}

void TForm1::followPlayback(int heldPort)
{
    m_heldPort = heldPort;
    const bool held = heldPort != 0 && heldPort == m_settings.comPort;
    SendResult refused;
    refused.error = PortError::Playing;
    const QString sentence = held ? Texts::notSent(QString::fromStdString(portName(heldPort)),
                                                   &portLink(), heldPort, refused)
                                  : QString();
    ui->ScrollBar1->setEnabled(!held);
    for (QWidget *control :
         {static_cast<QWidget *>(ui->ScrollBar1), static_cast<QWidget *>(ui->startSweep),
          static_cast<QWidget *>(ui->endSweep)})
        control->setToolTip(sentence);
}

MotionLink TForm1::motionLink() const
{
    MotionLink link;
    link.nativeFormat = ui->RadioButton4->isChecked();
    link.baud = toInt(ui->baudSelector->text());
    if (link.nativeFormat) {
        const QByteArray address = ui->Edit1->text().toUtf8();
        link.address =
            parseDecimal(std::string_view(address.constData(), size_t(address.size()))).value_or(0);
    } else {
        link.address = toInt(ui->Edit1->text());
    }
    return link;
}

bool TForm1::digitalController() const
{
    return ui->RadioButton7->isChecked();
}
