#include "app/tform1.h"

#include "app/accessible.h"
#include "app/application.h"
#include "app/captionfit.h"
#include "app/colours.h"
#include "app/eventguard.h"
#include "app/focusroute.h"
#include "app/motionwindow.h"
#include "app/openingplacement.h"
#include "app/placement.h"
#include "link/portrecord.h"
#include "ui_tform1.h"

#include <QCloseEvent>
#include <QEvent>
#include <QLayout>
#include <QScreen>
#include <QShortcut>
#include <algorithm>

namespace {
void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}
} // namespace

TForm1::TForm1(Desktop &desktop, QWidget *parent)
    : QMainWindow(parent),
      //: A file dialog's filter: the words the user reads, then after the bar the pattern, kept.
      OpenDialog(new FileDialog(Desktop::FileDialogKind::Open, tr("Servo Setup Files *.svo|*.svo"),
                                QString(), desktop, this)),
      SaveDialog(new FileDialog(Desktop::FileDialogKind::Save, tr("Servo Setup Files  *.svo|*.svo"),
                                QStringLiteral(".svo"), desktop, this)),
      ui(std::make_unique<Ui::TForm1>()), m_desktop(desktop)
{
    OpenDialog->setObjectName(QStringLiteral("OpenDialog"));
    SaveDialog->setObjectName(QStringLiteral("SaveDialog"));
    // Before the controls exist, so that a screen reader never meets one without its interface.
    installAccessibleInterfaces();
    // Set before the controls exist, so that they take it on as they are made rather than each
    // being given it again afterwards.
    setFont(layoutFont());
    ui->setupUi(this);
    makeMotionMenu();
    applyLookAndFeel();
    m_fitCaptions = ui->GroupBox1->title() != QLatin1String("Baud Rate");
    if (m_fitCaptions)
        fitCaptions(centralWidget());
    makeAccessible();
    m_portLink = std::make_unique<PortLink>([this] { return m_desktop.serialDevices(); },
                                            defaultPortRecordPath(), m_desktop.holderRoots());
    setErrorReport([this](const QString &text) { m_desktop.errorBox(text, applicationTitle()); });
    connectEvents();
    runHandler([this] { FormCreate(this); });
}

TForm1::~TForm1()
{
    // Before the port link goes: the Motion window's playback is stopped and its port freed.
    m_motion.reset();
    setErrorReport({});
}

void TForm1::makeMotionMenu()
{
    m_motionMenu = ui->MenuBar->addMenu(tr("&Motion"));
    m_motionMenu->setObjectName(QStringLiteral("Motion1"));
    m_motionOpen = m_motionMenu->addAction(tr("Poses and Sequences..."));
    m_motionOpen->setObjectName(QStringLiteral("motionOpen"));
    m_motionOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
}

QFont TForm1::layoutFont()
{
    // The layout was drawn for a narrow sans serif; prefer one with the same widths.
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                      QStringLiteral("Arial"), QStringLiteral("Helvetica")});
    font.setPixelSize(11);
    return font;
}

void TForm1::applyLookAndFeel()
{
    // The two bold lines must stay within the dial's box whatever font the desktop supplies:
    // 15 pixels, or smaller in proportion when the font runs wider than that.
    QFont bold = font();
    bold.setBold(true);
    bold.setPixelSize(15);
    const int room = ui->travel->geometry().right() + 8;
    const QFontMetrics metrics(bold);
    int pixels = 15;
    for (const QLabel *line : {ui->Label47, ui->Label48}) {
        const int width = metrics.horizontalAdvance(line->text());
        const int available = room - line->x();
        if (width > available)
            pixels = std::min(pixels, 15 * available / width);
    }
    bold.setPixelSize(std::max(pixels, 8));
    ui->Label47->setFont(bold);
    ui->Label48->setFont(bold);
    // The two lines stand inside the dial's box; a press on them still belongs to the dial.
    ui->Label47->setAttribute(Qt::WA_TransparentForMouseEvents);
    ui->Label48->setAttribute(Qt::WA_TransparentForMouseEvents);

    // Each port item's tooltip names its device, or why it cannot be used.
    ui->SerialPort2->setToolTipsVisible(true);

    ui->Label6->setBackgroundRole(QPalette::Light);
    followColourScheme();
    // The test panel's labels take their own presses, which do not grey out the upload button.
    ui->Label12->setAttribute(Qt::WA_NoMousePropagation);
    ui->Label51->setAttribute(Qt::WA_NoMousePropagation);
    const QColor green(128, 255, 128);
    QPalette panel = ui->Panel1->palette();
    panel.setColor(QPalette::Window, green);
    ui->Panel1->setPalette(panel);
    // The green stays in a dark scheme too, and so must the text on it. Not the panel's own text
    // colour: the slider's arrows take theirs from it, on the scheme's button colour.
    setTextColour(ui->Label12, textColourOn(green));
    setTextColour(ui->Label51, textColourOn(green));

    // Fixed border: the client area below the menu bar is 496 x 394 and cannot be resized.
    centralWidget()->setFixedSize(496, 394);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    new OpeningPlacement(this, QPoint(517, 165));
}

void TForm1::followColourScheme()
{
    // The servo's label stands on the scheme's light shade, which is white in one scheme and mid
    // grey in another. The window's palette, as the label's own follows it only after this event.
    setTextColour(ui->Label6, textColourOn(palette().color(QPalette::Light)));
}

void TForm1::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // The form sets the central widget once every control in it is made.
    if (event->type() == QEvent::PaletteChange && centralWidget())
        followColourScheme();
}

void TForm1::makeAccessible()
{
    // Alt and F10 reach the menus; the layout gives Load, Save, Quit and the upload their keys
    // (Alt+U for the upload, as the edit boxes take Ctrl+U to clear the line). Alt+F and Alt+S
    // only where the style underlines a menu's letter no sooner than Alt is held: elsewhere the
    // underline would change the captions the user sees.
    if (ui->MenuBar->style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, ui->MenuBar))
        for (QMenu *menu : {ui->SerialPort1, ui->SerialPort2, m_motionMenu})
            menu->setTitle(menu->title().remove(QLatin1Char('&')));
    auto *menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this,
            [this] { ui->MenuBar->setActiveAction(ui->SerialPort1->menuAction()); });
    // The rate box's edit part holds the focus, so it answers to the box's caption too.
    ui->baudSelector->lineEdit()->setAccessibleName(ui->GroupBox1->title());

    // Tab keeps to the four settings; the servo's controls and the upload have a route of their
    // own.
    new FocusRoute(this, {ui->Selector, ui->startSweep, ui->endSweep, ui->ScrollBar1, ui->Button1},
                   ui->Edit1);
    setAccessibleDescription(
        tr("Tab moves between the baud rate, the data format, the function and the board address. "
           "F6 and Shift+F6 move through the servo selector, the start and end of sweep, the test "
           "slider and Upload settings; the arrow keys then move the one that has the focus, Space "
           "presses Upload settings, and Escape returns to the board address."));
}

// Every handler is given the control that raised the event, and runs under the error report.
template <typename Sender, typename Signal, typename... Args>
void TForm1::bindEvent(Sender *sender, Signal signal, void (TForm1::*handler)(QObject *, Args...))
{
    ::bindEvent(this, sender, signal, handler);
}

void TForm1::connectEvents()
{
    bindEvent(ui->fileLoadSettings, &QAction::triggered, &TForm1::fileLoadSettingsClick);
    bindEvent(ui->fileSaveSettings, &QAction::triggered, &TForm1::fileSaveSettingsClick);
    bindEvent(ui->fileQuit, &QAction::triggered, &TForm1::fileQuitClick);
    bindEvent(ui->SerialPort2, &QMenu::aboutToShow, &TForm1::SerialPort2Click);
    makePortItems();
    bindEvent(ui->Button1, &QPushButton::clicked, &TForm1::Button1Click);

    ui->baudSelector->setKeyPressHook(
        [this](char &key) { baudSelectorKeyPress(ui->baudSelector, key); });
    bindEvent(ui->baudSelector, &ComboBox::userChanged, &TForm1::baudSelectorChange);
    ui->Edit1->setKeyPressHook([this](char &key) { Edit1KeyPress(ui->Edit1, key); });
    bindEvent(ui->Edit1, &QLineEdit::textChanged, &TForm1::Edit1Change);
    bindEvent(ui->RadioButton4, &RadioButton::becameChecked, &TForm1::RadioButton4Click);
    bindEvent(ui->RadioButton5, &RadioButton::becameChecked, &TForm1::RadioButton5Click);
    bindEvent(ui->RadioButton6, &RadioButton::becameChecked, &TForm1::RadioButton6Click);
    bindEvent(ui->RadioButton7, &RadioButton::becameChecked, &TForm1::RadioButton7Click);

    bindEvent(ui->Selector, &QSlider::valueChanged, &TForm1::SelectorChange);
    bindEvent(ui->startSweep, &QScrollBar::valueChanged, &TForm1::startSweepChange);
    bindEvent(ui->endSweep, &QScrollBar::valueChanged, &TForm1::endSweepChange);
    bindEvent(ui->travel, &TPie::mouseDown, &TForm1::travelMouseDown);
    bindEvent(ui->travel, &TPie::mouseMove, &TForm1::travelMouseMove);
    bindEvent(ui->travel, &TPie::mouseUp, &TForm1::travelMouseUp);
    bindEvent(ui->ScrollBar1, &QScrollBar::valueChanged, &TForm1::ScrollBar1Change);
    bindEvent(ui->Panel1, &Panel::mouseDown, &TForm1::Panel1MouseDown);
    bindEvent(ui->Panel1, &Panel::mouseUp, &TForm1::Panel1MouseUp);

    bindEvent(m_motionOpen, &QAction::triggered, &TForm1::motionOpenClick);
    for (QRadioButton *choice :
         {ui->RadioButton4, ui->RadioButton5, ui->RadioButton6, ui->RadioButton7})
        connect(choice, &QRadioButton::toggled, this, &TForm1::choicesChanged);
    connect(ui->baudSelector, &QComboBox::editTextChanged, this, &TForm1::choicesChanged);
    connect(ui->Edit1, &QLineEdit::textChanged, this, &TForm1::choicesChanged);
}

BoardChoices TForm1::choices() const
{
    return {ui->RadioButton4->isChecked(), ui->RadioButton7->isChecked()};
}

void TForm1::FormCreate(QObject *)
{
    ui->travel->setStartAngle(45);
    ui->travel->setEndAngle(135);
    ui->Edit1->setMaxChars(5);
}

void TForm1::fileQuitClick(QObject *)
{
    // A sequence with unsaved edits is asked about first; Cancel keeps the program running. The
    // Motion window's closing frees a playback's port.
    if (m_motion && !m_motion->close())
        return;
    // Then at once, as the program always has: the settings are never asked about, and no
    // further handler runs, not even those that the windows' closing or destruction would raise.
    m_desktop.exitNow(0);
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // A playback ends with the program's last window, and frees its port; unsaved edits of a
    // sequence are asked about, and Cancel keeps both windows open.
    if (m_motion && !m_motion->close()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void TForm1::motionOpenClick(QObject *)
{
    const bool first = !m_motion;
    if (first) {
        m_motion = std::make_unique<MotionWindow>(*this, m_desktop, this);
        connect(this, &TForm1::choicesChanged, m_motion.get(),
                [this] { runHandler([this] { m_motion->followMainWindow(); }); });
        connect(m_motion.get(), &MotionWindow::portHeld, this,
                [this](int port) { runHandler([&] { followPlayback(port); }); });
    }
    if (first && isVisible()) {
        // Beside this window: to its right where the screen has room, else to its left, else as
        // near as keeps it whole on the screen.
        m_motion->adjustSize();
        const QRect main = frameGeometry();
        const QRect screen = this->screen()->availableGeometry();
        const QSize size = m_motion->size() + (main.size() - this->size());
        const int right = main.right() + 1;
        const int x =
            right + size.width() <= screen.right() + 1 ? right : main.left() - size.width();
        m_motion->move(placeWithin(screen, size, QPoint(x, main.top())));
    }
    m_motion->show();
    m_motion->raise();
    m_motion->activateWindow();
}

void TForm1::openSequence(const QString &path)
{
    motionOpenClick(this);
    m_motion->openFile(path);
}
