// The start-up baseline: a plain window of about thirty widgets of the same kinds, no more.
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    QMenu *file = window.menuBar()->addMenu(QStringLiteral("File"));
    file->addAction(QStringLiteral("Load Settings..."));
    file->addAction(QStringLiteral("Save Settings..."));
    file->addAction(QStringLiteral("Quit"));
    QMenu *port = window.menuBar()->addMenu(QStringLiteral("Serial Port"));
    for (const char *name : {"COM1", "COM2", "COM3", "COM4"})
        port->addAction(QString::fromLatin1(name));

    auto *central = new QWidget;
    window.setCentralWidget(central);
    central->setFixedSize(496, 394);
    auto group = [&](const char *title, int x, int y) {
        auto *box = new QGroupBox(QString::fromLatin1(title), central);
        box->setGeometry(x, y, 129, 113);
        return box;
    };
    QGroupBox *baud = group("Baud Rate", 16, 16);
    auto *combo = new QComboBox(baud);
    combo->setEditable(true);
    combo->addItems({"4800", "9600", "14400", "14700", "28800", "57600", "115200"});
    combo->setGeometry(16, 24, 89, 21);
    for (int i = 0; i < 4; ++i)
        (new QLabel(QStringLiteral("Label"), baud))->move(16, 48 + 16 * i);
    QGroupBox *format = group("Data Format", 160, 16);
    (new QRadioButton(QStringLiteral("Quorvel"), format))->move(16, 32);
    (new QRadioButton(QStringLiteral("Mini SSC"), format))->move(16, 64);
    QGroupBox *function = group("Function", 16, 136);
    (new QRadioButton(QStringLiteral("Servo Controller"), function))->move(16, 32);
    (new QRadioButton(QStringLiteral("Digital Controller"), function))->move(16, 64);
    QGroupBox *address = group("Board Address", 160, 136);
    (new QLineEdit(QStringLiteral("0"), address))->setGeometry(16, 48, 89, 21);
    (new QLabel(QStringLiteral("0 - 247"), address))->move(40, 80);
    for (int i = 0; i < 6; ++i)
        (new QLabel(QStringLiteral("A label"), central))->move(304, 96 + 16 * i);
    (new QSlider(Qt::Horizontal, central))->setGeometry(304, 176, 129, 33);
    (new QPushButton(QStringLiteral("Upload settings"), central))->setGeometry(328, 216, 137, 33);
    (new QScrollBar(Qt::Horizontal, central))->setGeometry(16, 272, 473, 17);
    (new QScrollBar(Qt::Horizontal, central))->setGeometry(16, 312, 473, 17);
    window.show();
    return app.exec();
}
