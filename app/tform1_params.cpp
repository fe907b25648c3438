// Link parameters: the "Baud Rate", "Data Format", "Function" and "Board Address" groups.
#include "app/conversion.h"
#include "app/desktop.h"
#include "app/tform1.h"
#include "params/addressrange.h"
#include "params/baudmath.h"
#include "settings/settings.h"

#include <algorithm>

void TForm1::recalcBaudAndCapacity()
{
    const std::int32_t baud = toInt(baudSelector->text());
    const BoardChoices chosen = choices();
    const BaudFigures figures = baudFigures(baud, chosen.nativeFormat, chosen.digitalController);
    m_settings.baudDivisor = figures.divisor;
    if (!figures.achievable) {
        Label50->setText(tr("Not Achievable"));
        Label8->setText(QStringLiteral("0"));
        return;
    }
    Label7->setText(figures.outputs ? tr("Max real time outputs:") : tr("Max real time servos:"));
    Label8->setText(QString::number(figures.capacity));
    Label50->setText(QString::number(figures.actualRate));
}

void TForm1::updateAddressRange()
{
    const BoardChoices chosen = choices();
    const AddressRange range = addressRangeFor(chosen.nativeFormat, chosen.digitalController);
    Label1->setText(QString::fromLatin1(range.label));
    const std::int32_t address = toInt(Edit1->text());
    const std::int32_t kept = addressWithin(range, address);
    if (kept != address) {
        m_desktop.beep();
        Edit1->setText(QString::number(kept)); // runs Edit1Change once more
    }
}

namespace {
void filterNumericKey(char &key, Desktop &desktop)
{
    if (!numericKeyPasses(key)) {
        key = 0;
        desktop.beep();
    }
}
} // namespace

void TForm1::baudSelectorKeyPress(QObject *, char &key)
{
    filterNumericKey(key, m_desktop);
}

void TForm1::baudSelectorChange(QObject *)
{
    if (!baudSelector->text().isEmpty())
        recalcBaudAndCapacity();
}

void TForm1::Edit1KeyPress(QObject *, char &key)
{
    filterNumericKey(key, m_desktop);
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
    if (m_settings.comPort != 0)
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
