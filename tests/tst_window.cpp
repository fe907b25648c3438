// The main window right after start, and leaving it.
#include "app/application.h"
#include "app/placement.h"
#include "app/tform1.h"
#include "tests/builtprogram.h"
#include "tests/fakedesktop.h"
#include "tests/otherprocess.h"
#include "tests/platform.h"

#include <QAccessible>
#include <QCheckBox>
#include <QFile>
#include <QLibraryInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <cmath>

namespace {
// Every text 40 % longer than the English, as a wordy language makes it.
class LongerTexts final : public QTranslator
{
  public:
    QString translate(const char *, const char *source, const char *, int) const override
    {
        const QString text = QString::fromUtf8(source);
        return text + text.left(text.size() * 2 / 5);
    }
    bool isEmpty() const override { return false; }
};

// The catalogues of a language, the program's and Qt's, for as long as it lives.
struct InLanguage
{
    explicit InLanguage(const QString &language)
    {
        if (language == QLatin1String("pseudo")) {
            translators.push_back(std::make_unique<LongerTexts>());
        } else if (language != QLatin1String("en")) {
            for (auto [name, folder] :
                 {std::pair{QStringLiteral("qtbase_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)},
                  {QStringLiteral("corvantis-panel_"), QStringLiteral(TRANSLATIONS)}}) {
                translators.push_back(std::make_unique<QTranslator>());
                loaded = translators.back()->load(name + language, folder);
            }
        }
        for (const auto &translator : translators)
            QCoreApplication::installTranslator(translator.get());
    }
    ~InLanguage()
    {
        for (const auto &translator : translators)
            QCoreApplication::removeTranslator(translator.get());
    }
    std::vector<std::unique_ptr<QTranslator>> translators;
    bool loaded = true;
};

// Where the text of a control lies, in its parent, and whether it fits: "" when it does, else
// what is wrong. A control that shows no text of its own has no such place.
std::optional<QRect> textPlace(const QWidget *w, QString &fault)
{
    const QFontMetrics metrics(w->font());
    QString text;
    int needed = 0, room = w->width();
    QRect place = w->geometry();
    if (const auto *label = qobject_cast<const QLabel *>(w)) {
        text = label->text();
        const QRect inside = label->contentsRect();
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect drawn = metrics.boundingRect(inside, flags, text);
        needed =
            label->wordWrap() ? drawn.height() - inside.height() + inside.width() : drawn.width();
        // The ink of one line: two lines one above the other may share their leading.
        place = label->wordWrap() ? drawn
                                  : metrics.tightBoundingRect(text).translated(
                                        drawn.left(), drawn.top() + metrics.ascent());
        place = place.intersected(inside).translated(label->pos());
        room = inside.width();
    } else if (qobject_cast<const QPushButton *>(w) || qobject_cast<const QRadioButton *>(w) ||
               qobject_cast<const QCheckBox *>(w)) {
        text = static_cast<const QAbstractButton *>(w)->text();
        needed = w->sizeHint().width();
    } else if (const auto *group = qobject_cast<const QGroupBox *>(w)) {
        text = group->title();
        needed = group->minimumSizeHint().width();
    } else if (const auto *bar = qobject_cast<const QMenuBar *>(w)) {
        for (const QAction *menu : bar->actions())
            text += menu->text();
        needed = bar->sizeHint().width();
    }
    if (text.isEmpty())
        return std::nullopt;
    if (needed > room)
        fault = QStringLiteral("\"%1\" needs %2 px, has %3").arg(text).arg(needed).arg(room);
    return place;
}

// Every caption of the window that is cut off or runs into another control.
QStringList captionFaults(const QWidget *window)
{
    QStringList faults;
    for (const QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window) || w->window() != window)
            continue;
        QString fault;
        const std::optional<QRect> place = textPlace(w, fault);
        if (!place)
            continue;
        if (!fault.isEmpty())
            faults << w->objectName() + QStringLiteral(": ") + fault;
        // The dial's box holds the two lines under it by design.
        for (const QObject *o : w->parentWidget()->children()) {
            const auto *other = qobject_cast<const QWidget *>(o);
            QString ignored;
            if (!other || other == w || !other->isVisibleTo(window) ||
                other->inherits("CircleShape") || other->inherits("TPie"))
                continue;
            const QRect theirs = textPlace(other, ignored).value_or(other->geometry());
            if (place->intersects(theirs))
                faults << w->objectName() + QStringLiteral(" runs into ") + other->objectName();
        }
    }
    return faults;
}

QAccessibleInterface *findAccessible(QAccessibleInterface *node, const QString &name)
{
    if (node->object() && node->object()->objectName() == name)
        return node;
    for (int i = 0; i < node->childCount(); ++i)
        if (QAccessibleInterface *child = node->child(i))
            if (QAccessibleInterface *found = findAccessible(child, name))
                return found;
    return nullptr;
}
} // namespace

class TestWindow : public QObject
{
    Q_OBJECT

  private Q_SLOTS:
    void init();
    void cleanup();

    void controlProperties_data();
    void controlProperties();
    void controlsAreShownOrHidden_data();
    void controlsAreShownOrHidden();
    void menus_data();
    void menus();
    void fileDialogs();
    void windowFrame();
    void placement_data();
    void placement();
    void accessibleControls_data();
    void accessibleControls();
    void keyboardCommands_data();
    void keyboardCommands();
    void formCreateSetsPieAndAddressLimit();
    void startsAtTheRecordsDefaults();
    void noTabStops_data();
    void noTabStops();
    void tabOrder();
    void textStandsOutInEitherScheme_data();
    void textStandsOutInEitherScheme();
    void quitEndsAtOnceWithZero();
    void closingEndsWithZero();
    void captionsFit_data();
    void captionsFit();

  private:
    std::unique_ptr<FreshWindow> m_fresh;
    TForm1 *form() { return m_fresh->form.get(); }
    Controls &ui() { return m_fresh->ui; }
};

void TestWindow::init()
{
    m_fresh = std::make_unique<FreshWindow>();
}

void TestWindow::cleanup()
{
    m_fresh.reset();
}

void TestWindow::controlProperties_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("expected");
    auto row = [](const char *control, const char *property, const QVariant &value) {
        QTest::addRow("%s.%s", control, property) << control << QByteArray(property) << value;
    };
    row("GroupBox1", "title", "Baud Rate");
    row("GroupBox1", "geometry", QRect(16, 16, 129, 113));
    row("baudSelector", "currentText", "9600");
    row("baudSelector", "editable", true);
    row("baudSelector", "count", 7);
    row("baudSelector", "pos", QPoint(16, 24));
    row("baudSelector", "width", 89);
    row("Label49", "text", "Actual Baud rate:");
    row("Label49", "pos", QPoint(16, 48));
    row("Label50", "text", "9600");
    row("Label50", "pos", QPoint(40, 64));
    row("Label7", "text", "Max real time servos:");
    row("Label7", "pos", QPoint(8, 80));
    row("Label7", "alignment", QVariant::fromValue(Qt::Alignment(Qt::AlignCenter)));
    row("Label8", "text", "10");
    row("Label8", "pos", QPoint(48, 96));
    row("GroupBox2", "title", "Data Format");
    row("GroupBox2", "geometry", QRect(160, 16, 129, 113));
    row("RadioButton4", "text", "Quorvel");
    row("RadioButton4", "checked", false);
    row("RadioButton4", "pos", QPoint(16, 32));
    row("RadioButton5", "text", "Mini SSC");
    row("RadioButton5", "checked", true);
    row("RadioButton5", "pos", QPoint(16, 64));
    row("GroupBox3", "title", "Function");
    row("GroupBox3", "geometry", QRect(16, 136, 129, 113));
    row("RadioButton6", "text", "Servo Controller");
    row("RadioButton6", "checked", true);
    row("RadioButton7", "text", "Digital Controller");
    row("RadioButton7", "checked", false);
    row("GroupBox4", "title", "Board Address");
    row("GroupBox4", "geometry", QRect(160, 136, 129, 113));
    row("Edit1", "text", "0");
    row("Edit1", "pos", QPoint(16, 48));
    row("Edit1", "width", 89);
    row("Label1", "text", "0 - 247");
    row("Label1", "pos", QPoint(40, 80));
    row("Shape1", "geometry", QRect(312, 0, 161, 161));
    row("travel", "geometry", QRect(312, 0, 161, 161));
    row("Label47", "text", "Servo travel will be similar");
    row("Label47", "pos", QPoint(304, 96));
    row("Label48", "text", "to range shown. ");
    row("Label48", "pos", QPoint(336, 112));
    row("Selector", "geometry", QRect(304, 176, 129, 33));
    row("Selector", "minimum", 0);
    row("Selector", "maximum", 7);
    row("Selector", "value", 0);
    row("Selector", "orientation", QVariant::fromValue(Qt::Horizontal));
    row("Selector", "tickInterval", 1);
    row("Selector", "tickPosition", QVariant::fromValue(QSlider::TicksBelow));
    row("Label6", "text", "Servo 0");
    row("Label6", "pos", QPoint(440, 181));
    row("Label6", "autoFillBackground", true);
    row("Button1", "text", "Upload settings");
    row("Button1", "geometry", QRect(328, 216, 137, 33));
    row("Button1", "enabled", true);
    row("Label2", "text", "Start of sweep");
    row("Label2", "pos", QPoint(16, 256));
    row("startSweep", "geometry", QRect(16, 272, 473, 17));
    row("startSweep", "minimum", 0);
    row("startSweep", "maximum", 7300);
    row("startSweep", "value", 1843);
    row("startSweep", "singleStep", 3);
    row("startSweep", "pageStep", 50);
    row("Label3", "text", "End of sweep:");
    row("Label3", "pos", QPoint(16, 296));
    row("endSweep", "geometry", QRect(16, 312, 473, 17));
    row("endSweep", "maximum", 7300);
    row("endSweep", "value", 5529);
    row("endSweep", "singleStep", 3);
    row("endSweep", "pageStep", 50);
    row("Panel1", "geometry", QRect(0, 335, 496, 59));
    row("Panel1", "autoFillBackground", true);
    row("Label12", "text", "Slide to test servo range after uploading settings");
    row("Label12", "pos", QPoint(145, 9));
    row("Label51", "text", "Can only test servos 0-7");
    row("Label51", "pos", QPoint(8, 8));
    row("ScrollBar1", "geometry", QRect(8, 32, 481, 17));
    row("ScrollBar1", "minimum", 0);
    row("ScrollBar1", "maximum", 254);
    row("ScrollBar1", "value", 128);
    row("ScrollBar1", "singleStep", 1);
    row("ScrollBar1", "pageStep", 4);
}

void TestWindow::controlProperties()
{
    QFETCH(QString, control);
    QFETCH(QByteArray, property);
    QFETCH(QVariant, expected);
    QWidget *widget = form()->findChild<QWidget *>(control);
    QVERIFY2(widget, qPrintable(control));
    QVariant actual = widget->property(property.constData());
    QVERIFY2(actual.isValid(), property.constData());
    if (expected.metaType() != actual.metaType())
        QVERIFY(actual.convert(expected.metaType()));
    QCOMPARE(actual, expected);
}

void TestWindow::controlsAreShownOrHidden_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("shown");
    for (const char *name :
         {"GroupBox1", "baudSelector", "Label49",      "Label50",   "Label7",       "Label8",
          "GroupBox2", "RadioButton4", "RadioButton5", "GroupBox3", "RadioButton6", "RadioButton7",
          "GroupBox4", "Edit1",        "Label1",       "Shape1",    "travel",       "Label47",
          "Label48",   "Selector",     "Label6",       "Button1",   "Label2",       "startSweep",
          "Label3",    "endSweep"})
        QTest::newRow(name) << name << true;
    QTest::newRow("Panel1") << "Panel1" << false;
    QTest::newRow("Label51") << "Label51" << false;
    // Shown with the panel once it is.
    QTest::newRow("Label12") << "Label12" << true;
    QTest::newRow("ScrollBar1") << "ScrollBar1" << true;
}

void TestWindow::controlsAreShownOrHidden()
{
    QFETCH(QString, control);
    QFETCH(bool, shown);
    QWidget *widget = form()->findChild<QWidget *>(control);
    QVERIFY(widget);
    QCOMPARE(!widget->isHidden(), shown);
}

void TestWindow::menus_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("caption");
    QTest::newRow("fileLoadSettings") << "fileLoadSettings"
                                      << "SerialPort1"
                                      << "Load Settings...";
    QTest::newRow("fileSaveSettings") << "fileSaveSettings"
                                      << "SerialPort1"
                                      << "Save Settings...";
    QTest::newRow("fileQuit") << "fileQuit"
                              << "SerialPort1"
                              << "Quit";
    for (int n = 1; n <= 4; ++n) {
        const QString name = QStringLiteral("selectCOM%1").arg(n);
        QTest::newRow(qPrintable(name)) << name << "SerialPort2" << QStringLiteral("COM%1").arg(n);
    }
    QTest::newRow("motionOpen") << "motionOpen"
                                << "Motion1"
                                << "Poses and Sequences...";
}

void TestWindow::menus()
{
    QFETCH(QString, item);
    QFETCH(QString, menu);
    QFETCH(QString, caption);
    auto *action = form()->findChild<QAction *>(item);
    QVERIFY(action);
    QCOMPARE(action->text(), caption);
    QVERIFY(action->isEnabled());
    QVERIFY(!action->isChecked());
    auto *owner = form()->findChild<QMenu *>(menu);
    QVERIFY(owner && owner->actions().contains(action));

    const QList<QAction *> bar = ui().MenuBar->actions();
    QCOMPARE(bar.size(), 3);
    QCOMPARE(bar[0], ui().SerialPort1->menuAction());
    QCOMPARE(ui().SerialPort1->title(), QStringLiteral("File"));
    QCOMPARE(bar[1], ui().SerialPort2->menuAction());
    QCOMPARE(ui().SerialPort2->title(), QStringLiteral("Serial Port"));
    QCOMPARE(bar[2]->text(), QStringLiteral("Motion"));
}

void TestWindow::fileDialogs()
{
    auto *open = form()->findChild<FileDialog *>(QStringLiteral("OpenDialog"));
    auto *save = form()->findChild<FileDialog *>(QStringLiteral("SaveDialog"));
    QVERIFY(open && save);
    QCOMPARE(open->filter(), QStringLiteral("Servo Setup Files *.svo|*.svo"));
    QCOMPARE(open->defaultExt(), QString());
    QCOMPARE(save->filter(), QStringLiteral("Servo Setup Files  *.svo|*.svo"));
    QCOMPARE(save->defaultExt(), QStringLiteral(".svo"));
}

void TestWindow::windowFrame()
{
    form()->show();
    QVERIFY(QTest::qWaitForWindowExposed(form()));
    QCOMPARE(form()->windowTitle(), QStringLiteral("Corvantis Panel"));
    // The client area below the menu bar, and a border that cannot be dragged.
    QCOMPARE(form()->centralWidget()->size(), QSize(496, 394));
    QCOMPARE(form()->minimumSize(), form()->maximumSize());
    QCOMPARE(form()->height(), 394 + ui().MenuBar->height());
    // The offscreen screen is too narrow for the window at 517: it stands at the right edge.
    const QRect screen = form()->screen()->availableGeometry();
    QCOMPARE(form()->frameGeometry().topRight(), QPoint(screen.right(), 165));
    QVERIFY(!(form()->windowFlags() & Qt::WindowMaximizeButtonHint));
    // Light green panel, the selector's label on the highlight colour.
    QCOMPARE(ui().Panel1->palette().color(QPalette::Window), QColor(128, 255, 128));
    QCOMPARE(ui().Label6->backgroundRole(), QPalette::Light);
    QCOMPARE(form()->font().pixelSize(), 11);
    QVERIFY(ui().Label47->font().bold() && ui().Label48->font().bold());
}

void TestWindow::placement_data()
{
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QPoint>("expected");
    auto row = [](const char *name, QRect available, QSize window, QPoint expected) {
        QTest::newRow(name) << available << window << expected;
    };
    row("fits to the last pixel", {0, 0, 1017, 605}, {500, 440}, {517, 165});
    row("narrow screen: against its right edge", {0, 0, 800, 800}, {500, 440}, {300, 165});
    row("1280x1024 at scale 2: into the corner", {0, 0, 640, 512}, {498, 424}, {142, 88});
    row("second screen at x 1280", {1280, 0, 1024, 768}, {500, 440}, {1280, 165});
    row("larger than the screen: top-left on it", {0, 0, 400, 300}, {500, 440}, {0, 0});
}

void TestWindow::placement()
{
    QFETCH(QRect, available);
    QFETCH(QSize, window);
    QFETCH(QPoint, expected);
    QCOMPARE(placeWithin(available, window, QPoint(517, 165)), expected);
}

void TestWindow::accessibleControls_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QAccessible::Role>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption"); // the control that labels it, if any
    auto row = [](const char *control, QAccessible::Role role, const char *name,
                  const char *caption = "") {
        QTest::newRow(control) << control << role << name << caption;
    };
    row("baudSelector", QAccessible::ComboBox, "Baud Rate", "GroupBox1");
    row("Label50", QAccessible::StaticText, "9600", "Label49");
    row("Label8", QAccessible::StaticText, "10", "Label7");
    row("travel", QAccessible::Dial, "Servo travel");
    row("Selector", QAccessible::Slider, "Servo");
    row("startSweep", QAccessible::ScrollBar, "Start of sweep", "Label2");
    row("endSweep", QAccessible::ScrollBar, "End of sweep", "Label3");
    row("ScrollBar1", QAccessible::ScrollBar, "Test position");
}

void TestWindow::accessibleControls()
{
    QFETCH(QString, control);
    QFETCH(QAccessible::Role, role);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QAccessibleInterface *found =
        findAccessible(QAccessible::queryAccessibleInterface(form()), control);
    QVERIFY(found);
    QCOMPARE(found->role(), role);
    QCOMPARE(found->text(QAccessible::Name), name);
    QStringList labels;
    for (const auto &[label, relation] : found->relations(QAccessible::Label))
        labels << label->object()->objectName();
    QVERIFY2(caption.isEmpty() || labels.contains(caption), qPrintable(labels.join(' ')));
}

void TestWindow::keyboardCommands_data()
{
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("Ctrl+O loads") << QKeySequence("Ctrl+O") << "Open Servo Settings";
    QTest::newRow("Ctrl+S saves") << QKeySequence("Ctrl+S") << "Save Servo Settings";
    QTest::newRow("Alt+U uploads") << QKeySequence("Alt+U") << "Please select a COM port.";
    QTest::newRow("F10 opens File") << QKeySequence("F10") << "SerialPort1";
    // Where the focus ends, and servo 0's start: the test panel is hidden.
    QTest::newRow("F6 on, past the hidden test slider")
        << QKeySequence("F6, F6, F6, F6") << "Button1, start 1843";
    QTest::newRow("Shift+F6 back") << QKeySequence("Shift+F6, Shift+F6") << "endSweep, start 1843";
    QTest::newRow("F6 round") << QKeySequence("Shift+F6, F6") << "Selector, start 1843";
    QTest::newRow("Right moves the bar right, Escape goes to the address")
        << QKeySequence("F6, F6, Right, Esc") << "Edit1, start 1846";
}

void TestWindow::keyboardCommands()
{
    QFETCH(QKeySequence, keys);
    QFETCH(QString, outcome);
    form()->show();
    form()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form()));
    ui().Edit1->setFocus(); // typing keys there are filtered: none may get through
    for (int i = 0; i < keys.count(); ++i)
        QTest::keyClick(QApplication::focusWidget(), keys[i].key(), keys[i].keyboardModifiers());
    const FakeDesktop &desk = m_fresh->desk;
    auto happened = [&]() -> QString {
        if (!desk.fileRequests.empty())
            return desk.fileRequests.back().title;
        if (!desk.boxes.empty())
            return desk.boxes.back().text;
        if (const QWidget *menu = QApplication::activePopupWidget())
            return menu->objectName();
        if (desk.beeps)
            return "beep";
        return QApplication::focusWidget()->objectName() + ", start " +
               QString::number(form()->record().sweepStarts[0]);
    };
    QTRY_COMPARE(happened(), outcome);
}

void TestWindow::formCreateSetsPieAndAddressLimit()
{
    QCOMPARE(ui().travel->startAngle(), 45);
    QCOMPARE(ui().travel->endAngle(), 135);
    QCOMPARE(ui().Edit1->maxChars(), 5);
    QVERIFY(m_fresh->desk.boxes.empty());
    QCOMPARE(m_fresh->desk.beeps, 0);
}

void TestWindow::startsAtTheRecordsDefaults()
{
    QCOMPARE(ui().startSweep->position(), form()->record().sweepStarts[0]);
    QCOMPARE(ui().endSweep->position(), form()->record().sweepEnds[0]);
    QCOMPARE(ui().travel->startAngle(), form()->record().dialStartAngle);
    QCOMPARE(ui().travel->endAngle(), form()->record().dialEndAngle);
    QCOMPARE(form()->record().comPort, 0);
}

void TestWindow::noTabStops_data()
{
    QTest::addColumn<QString>("control");
    for (const char *name : {"Selector", "Button1", "startSweep", "endSweep", "ScrollBar1"})
        QTest::newRow(name) << name;
}

void TestWindow::noTabStops()
{
    QFETCH(QString, control);
    auto *widget = form()->findChild<QWidget *>(control);
    QVERIFY(widget);
    QCOMPARE(widget->focusPolicy(), Qt::ClickFocus);
}

void TestWindow::tabOrder()
{
    ui().Panel1->show(); // its slider must still be skipped
    form()->show();
    form()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form()));
    ui().baudSelector->setFocus();
    QStringList visited;
    for (int i = 0; i < 5; ++i) {
        QWidget *focus = QApplication::focusWidget();
        while (focus && focus->objectName().isEmpty())
            focus = focus->parentWidget(); // the combo box's edit part
        visited << (focus ? focus->objectName() : QStringLiteral("-"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(visited, QStringList({"baudSelector", "RadioButton5", "RadioButton6", "Edit1",
                                   "baudSelector"}));

    ui().RadioButton4->setChecked(true); // the checked button of the group is the stop
    ui().baudSelector->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), ui().RadioButton4);
}

void TestWindow::textStandsOutInEitherScheme_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QColor>("light"); // a dark scheme's light shade; none: the light scheme
    for (const char *control : {"Label12", "Label51", "Label6"})
        for (const QColor &light : {QColor(), QColor(0x979797)})
            QTest::addRow("%s, %s", control, light.isValid() ? "dark" : "light")
                << control << light;
    QTest::newRow("Label6, dark, deep light shade") << "Label6" << QColor(0x4a4947);
}

void TestWindow::textStandsOutInEitherScheme()
{
    QFETCH(QString, control);
    QFETCH(QColor, light);
    QPalette scheme = form()->palette();
    if (light.isValid()) { // as a desktop switches to it: white text on a near-black window
        scheme.setColor(QPalette::WindowText, Qt::white);
        scheme.setColor(QPalette::Window, QColor(0x222020));
        scheme.setColor(QPalette::Light, light);
    }
    form()->setPalette(scheme);
    const auto *label = form()->findChild<QWidget *>(control);
    std::vector<double> luminance; // relative, of the text and of the ground, plus 0.05
    for (const QColor c : {label->palette().color(label->foregroundRole()),
                           label->palette().color(label->backgroundRole())}) {
        luminance.push_back(0.05);
        for (auto [v, weight] :
             {std::pair{c.redF(), 0.2126f}, {c.greenF(), 0.7152f}, {c.blueF(), 0.0722f}})
            luminance.back() +=
                weight * (v <= 0.04045f ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
    }
    const double contrast = std::ranges::max(luminance) / std::ranges::min(luminance);
    QVERIFY2(contrast >= 4.5, qPrintable(QString::number(contrast)));
}

namespace {
struct ProbeRun
{
    int exitCode;
    QProcess::ExitStatus status;
    QByteArray output;
};

ProbeRun runQuitProbe(const QString &mode, const QString &file = {})
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("LANGUAGE"), QString());
    const ProgramRun probe =
        runBuiltProgram(QStringLiteral(QUITPROBE),
                        file.isEmpty() ? QStringList{mode} : QStringList{mode, file}, env);
    return {probe.status, probe.crashed ? QProcess::CrashExit : QProcess::NormalExit, probe.out};
}
} // namespace

void TestWindow::quitEndsAtOnceWithZero()
{
    const ProbeRun run = runQuitProbe(QStringLiteral("quit"));
    QCOMPARE(run.status, QProcess::NormalExit);
    QCOMPARE(run.exitCode, 0);
    // The application title was set at start; nothing ran after File, Quit.
    QCOMPARE(run.output, QByteArray("title Corvantis utility\naddress 0\nquitting\n"));
}

void TestWindow::closingEndsWithZero()
{
    const ProbeRun run = runQuitProbe(QStringLiteral("close"));
    QCOMPARE(run.status, QProcess::NormalExit);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.output,
             QByteArray("title Corvantis utility\naddress 0\nclosing\nevent loop ended\n"));

    // A file named on the command line is loaded as Load Settings would load it.
    QTemporaryDir dir;
    SettingsFileContent content{1000, 9600, 0, 0, {}, {}};
    content.sweepStarts.fill(1843);
    content.sweepEnds.fill(5529);
    const auto bytes = encodeSettingsFile(content);
    QFile file(dir.filePath(QStringLiteral("robot.svo")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char *>(bytes.data()), qint64(bytes.size()));
    file.close();
    QVERIFY(
        runQuitProbe(QStringLiteral("close"), file.fileName()).output.contains("address 1000\n"));
}

void TestWindow::captionsFit_data()
{
    QTest::addColumn<QString>("language"); // "pseudo": every text 40 % longer than the English
    for (const char *language : {"en", "de", "fr", "pseudo"})
        QTest::newRow(language) << language;
}

void TestWindow::captionsFit()
{
    QFETCH(QString, language);
    if (onWindows)
        QSKIP("Under Wine the offscreen platform finds no fonts: its stand-in's widths are no "
              "desktop's");
    const InLanguage texts(language);
    QVERIFY(texts.loaded);
    m_fresh = std::make_unique<FreshWindow>(); // made in the language
    form()->show();
    // Every caption the main window can show at once: the test panel with its warning.
    ui().Panel1->show();
    ui().Label51->show();
    QStringList faults = captionFaults(form());
    ui().RadioButton7->click(); // "Digital Controller": the capacity counts outputs
    ui().baudSelector->setEditText(QStringLiteral("300"));
    faults += captionFaults(form());
    form()->findChild<QAction *>(QStringLiteral("motionOpen"))->trigger();
    auto *motion = form()->findChild<QWidget *>(QStringLiteral("MotionWindow"));
    QVERIFY(motion && motion->isVisible());
    // As large as it asks to be, as on a desktop's screen (the offscreen one is smaller).
    motion->resize(motion->sizeHint());
    // Beside the main window on a 1280x800 screen, clear of its menus, in every shipped language.
    if (language != QLatin1String("pseudo"))
        QVERIFY(motion->sizeHint().width() < 517 && motion->sizeHint().height() < 760);
    faults += captionFaults(motion);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
