#pragma once

#include "app/filedialog.h"
#include "app/motionhost.h"
#include "link/portlink.h"
#include "motion/frames.h"
#include "settings/svofile.h"

#include <QMainWindow>
#include <array>
#include <memory>
#include <vector>

// The main window, with every handler of the program: the handlers of each subsystem are defined
// in app/tform1_<subsystem>.cpp. It owns the settings record and the port link, and works with
// the desktop it is given.
namespace Ui {
class TForm1;
}
class MotionWindow;
struct SendResult;

class TForm1 : public QMainWindow, public MotionHost
{
    Q_OBJECT

  public:
    explicit TForm1(Desktop &desktop, QWidget *parent = nullptr);
    ~TForm1() override;

    FileDialog *OpenDialog;
    FileDialog *SaveDialog;

    // What the COM numbers stand for and who else holds their devices.
    PortLink &portLink() override { return *m_portLink; }
    int chosenPort() const override { return m_settings.comPort; }
    // The settings record: the sweeps, the chosen port, the dial's angles and the divisor.
    ServoSettings &record() { return m_settings; }
    const ServoSettings &record() const { return m_settings; }
    // The flags that coordinate the editing handlers.
    struct EditingFlags
    {
        bool dialDragging = false;        // a button pressed on the dial is held
        bool sweepEventsEnabled = true;   // false while the program moves the sweep bars itself
        bool dialGrabsStartAngle = false; // the drag moves the end of sweep, not its start
    };
    const EditingFlags &editingFlags() const { return m_flags; }

    // Application shell
    void FormCreate(QObject *sender);
    void fileQuitClick(QObject *sender);

    // Servo settings
    void fileSaveSettingsClick(QObject *sender);
    void fileLoadSettingsClick(QObject *sender);
    // Loads a settings file as "Load Settings..." does once a file is chosen.
    void loadSettingsFrom(const QString &path);

    // Controller link
    void SerialPort2Click(QObject *sender);
    // The click of the port item for COMn, selectCOM1 to selectCOM4.
    void selectCOMClick(QObject *sender, int port);
    void Button1Click(QObject *sender);

    // Link parameters
    void baudSelectorKeyPress(QObject *sender, char &key);
    void baudSelectorChange(QObject *sender);
    void Edit1KeyPress(QObject *sender, char &key);
    void Edit1Change(QObject *sender);
    void RadioButton4Click(QObject *sender);
    void RadioButton5Click(QObject *sender);
    void RadioButton6Click(QObject *sender);
    void RadioButton7Click(QObject *sender);
    // Recomputes baudDivisor and the "Baud Rate" group's figures from the typed rate and the two
    // choices. A rate text that does not convert raises the error before anything changes.
    void recalcBaudAndCapacity();
    // Shows the address range of the current choices and pulls an address outside it back in,
    // with a beep.
    void updateAddressRange();

    // Range editing
    void SelectorChange(QObject *sender);
    void startSweepChange(QObject *sender);
    void endSweepChange(QObject *sender);
    void travelMouseDown(QObject *sender, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                         int x, int y);
    void travelMouseMove(QObject *sender, Qt::KeyboardModifiers shift, int x, int y);
    void travelMouseUp(QObject *sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x,
                       int y);
    void ScrollBar1Change(QObject *sender);
    void Panel1MouseDown(QObject *sender, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                         int x, int y);
    void Panel1MouseUp(QObject *sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x,
                       int y);
    // The test-position message for the selected servo and the test slider's position, at the
    // rate in the "Baud Rate" box, in the Mini SSC or the native form. Every text is converted
    // before anything is written: a text that does not convert sends nothing.
    void sendTestPosition();

    // Motion
    void motionOpenClick(QObject *sender);
    // Opens the Motion window with a sequence file, as its "Open..." does once a file is chosen.
    void openSequence(const QString &path);
    // What the Motion window plays and sends in: the chosen data format, the address and the rate
    // in the "Baud Rate" box. The texts are converted; one that does not raises the error. The
    // native form carries no address: there it is 0 when its text does not convert.
    MotionLink motionLink() const override;
    // "Digital Controller" is chosen: the board drives outputs, and there is no motion.
    bool digitalController() const override;

  Q_SIGNALS:
    // The rate, the format, the address or the function has changed.
    void choicesChanged();

  protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

  private:
    // The controls, each under the name the layout gives it; no one else reaches them.
    std::unique_ptr<Ui::TForm1> ui;
    Desktop &m_desktop;
    std::unique_ptr<PortLink> m_portLink;
    std::vector<QAction *> m_portItems; // COM1 first
    QMenu *m_motionMenu = nullptr;
    QAction *m_motionOpen = nullptr;
    std::unique_ptr<MotionWindow> m_motion; // made when first opened
    int m_heldPort = 0;                     // the port a playback holds, 0 for none
    ServoSettings m_settings;
    EditingFlags m_flags;
    // The layout was drawn for the English captions, which keep their places whatever the font;
    // another language's are fitted to it.
    bool m_fitCaptions = false;

    static QFont layoutFont();
    BoardChoices choices() const;
    // What the window would save; every text is converted, an error raised for one that is not.
    SettingsFileContent settingsInWindow() const;
    // Shown while "Servo Controller" is chosen, hidden while "Digital Controller" is.
    std::array<QWidget *, 10> servoRangeControls() const;
    void choosePort(int port);
    QAction *portItem(int port) const { return m_portItems[std::size_t(port - 1)]; }
    void makePortItems();
    void makeMotionMenu();
    // The live-position message at the setup rate, as an edit of `control` sends it.
    void sendLive(QWidget *control, int servo, int position);
    // A message the playback kept off the port is said at the control the user moved; otherwise
    // these messages are lost without a word, as an unplugged adapter's are.
    void noteRefusal(QWidget *control, const SendResult &sent);
    // While a playback holds the chosen port, the test slider, which would only be refused, is
    // greyed out with the reason.
    void followPlayback(int heldPort);
    void applyLookAndFeel();
    // Text on a background the scheme sets, legible as the desktop switches schemes.
    void followColourScheme();
    void makeAccessible();
    void connectEvents();
    template <typename Sender, typename Signal, typename... Args>
    void bindEvent(Sender *sender, Signal signal, void (TForm1::*handler)(QObject *, Args...));
};
