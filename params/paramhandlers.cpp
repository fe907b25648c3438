// The "Baud Rate", "Data Format", "Function" and "Board Address" groups.
#include "params/paramhandlers.h"

#include "app/conversion.h"
#include "app/desktop.h"
#include "app/tform1.h"
#include "params/addressrange.h"
#include "params/baudmath.h"
#include "settings/settings.h"

#include <algorithm>

void recalcBaudAndCapacity()
{
    const std::int32_t baud = toInt(Form1->baudSelector->text());
    const BaudFigures figures =
        baudFigures(baud, Form1->RadioButton4->isChecked(), Form1->RadioButton7->isChecked());
    settings.baudDivisor = figures.divisor;
    if (!figures.achievable) {
        Form1->Label50->setText(QStringLiteral("Not Achievable"));
        Form1->Label8->setText(QStringLiteral("0"));
        return;
    }
    Form1->Label7->setText(figures.outputs ? QStringLiteral("Max real time outputs:")
                                           : QStringLiteral("Max real time servos:"));
    Form1->Label8->setText(QString::number(figures.capacity));
    Form1->Label50->setText(QString::number(figures.actualRate));
}

void updateAddressRange()
{
    const AddressRange range =
        addressRangeFor(Form1->RadioButton4->isChecked(), Form1->RadioButton7->isChecked());
    Form1->Label1->setText(QString::fromLatin1(range.label));
    const std::int32_t address = toInt(Form1->Edit1->text());
    const std::int32_t kept = addressWithin(range, address);
    if (kept != address) {
        desktop().beep();
        Form1->Edit1->setText(QString::number(kept)); // runs Edit1Change once more
    }
}

namespace {
void filterNumericKey(char &key)
{
    if (!numericKeyPasses(key)) {
        key = 0;
        desktop().beep();
    }
}
} // namespace

void TForm1::baudSelectorKeyPress(QObject *, char &key)
{
    filterNumericKey(key);
}

void TForm1::baudSelectorChange(QObject *)
{
    if (!baudSelector->text().isEmpty())
        recalcBaudAndCapacity();
}

void TForm1::Edit1KeyPress(QObject *, char &key)
{
    filterNumericKey(key);
}

void TForm1::Edit1Change(QObject *)
{
    if (!Edit1->text().isEmpty())
        updateAddressRange();
}

void TForm1::RadioButton4Click(QObject *)
{
    recalcBaudAndCapacity();
    Edit1->setMaxChars(addressLengthFor(true));
    updateAddressRange();
    Label51->show();
}

void TForm1::RadioButton5Click(QObject *)
{
    recalcBaudAndCapacity();
    Edit1->setMaxChars(addressLengthFor(false));
    updateAddressRange();
    Label51->hide();
}

void TForm1::RadioButton6Click(QObject *)
{
    updateAddressRange();
    recalcBaudAndCapacity();
    for (QWidget *control : servoRangeControls())
        control->show();
    if (settings.comPort != 0)
        Panel1->show();
}

void TForm1::RadioButton7Click(QObject *)
{
    updateAddressRange();
    recalcBaudAndCapacity();
    for (QWidget *control : servoRangeControls())
        control->hide();
    Panel1->hide();
}

std::array<QWidget *, 10> TForm1::servoRangeControls() const
{
    return {Label47,  Label48, travel, Shape1,   startSweep,
            endSweep, Label2,  Label3, Selector, Label6};
}
