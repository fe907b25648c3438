// Link parameters: the "Baud Rate", "Data Format", "Function" and "Board Address" groups.
#include "app/captionfit.h"
#include "app/conversion.h"
#include "app/desktop.h"
#include "app/tform1.h"
#include "params/addressrange.h"
#include "params/baudmath.h"
#include "settings/settings.h"
#include "ui_tform1.h"

#include <algorithm>

void TForm1::recalcBaudAndCapacity()
{
    const std::int32_t baud = toInt(ui->baudSelector->text());
    const BoardChoices chosen = choices();
    const BaudFigures figures = baudFigures(baud, chosen.nativeFormat, chosen.digitalController);
    m_settings.baudDivisor = figures.divisor;
    if (!figures.achievable) {
        ui->Label50->setText(tr("Not Achievable"));
        if (m_fitCaptions)
            fitCaption(ui->Label50);
        ui->Label8->setText(QStringLiteral("0"));
        return;
    }
    ui->Label7->setText(figures.outputs ? tr("Max real time outputs:")
                                        : tr("Max real time servos:"));
    if (m_fitCaptions)
        fitCaption(ui->Label7);
    ui->Label8->setText(QString::number(figures.capacity));
    ui->Label50->setText(QString::number(figures.actualRate));
    if (m_fitCaptions)
        fitCaption(ui->Label50);
}

void TForm1::updateAddressRange()
{
    const BoardChoices chosen = choices();
    const AddressRange range = addressRangeFor(chosen.nativeFormat, chosen.digitalController);
    ui->Label1->setText(QString::fromLatin1(range.label));
    const std::int32_t address = toInt(ui->Edit1->text());
    const std::int32_t kept = addressWithin(range, address);
    if (kept != address) {
        m_desktop.beep();
        ui->Edit1->setText(QString::number(kept)); // runs Edit1Change once more
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
    if (!ui->baudSelector->text().isEmpty())
        recalcBaudAndCapacity();
}

void TForm1::Edit1KeyPress(QObject *, char &key)
{
    filterNumericKey(key, m_desktop);
}

void TForm1::Edit1Change(QObject *)
{
    if (!ui->Edit1->text().isEmpty())
        updateAddressRange();
}

void TForm1::RadioButton4Click(QObject *)
{
    recalcBaudAndCapacity();
    ui->Edit1->setMaxChars(addressLengthFor(true));
    updateAddressRange();
    ui->Label51->show();
}

void TForm1::RadioButton5Click(QObject *)
{
    recalcBaudAndCapacity();
    ui->Edit1->setMaxChars(addressLengthFor(false));
    updateAddressRange();
    ui->Label51->hide();
}

void TForm1::RadioButton6Click(QObject *)
{
    updateAddressRange();
    recalcBaudAndCapacity();
    for (QWidget *control : servoRangeControls())
        control->show();
    if (m_settings.comPort != 0)
        ui->Panel1->show();
}

void TForm1::RadioButton7Click(QObject *)
{
    updateAddressRange();
    recalcBaudAndCapacity();
    for (QWidget *control : servoRangeControls())
        control->hide();
    ui->Panel1->hide();
}

std::array<QWidget *, 10> TForm1::servoRangeControls() const
{
    return {ui->Label47,  ui->Label48, ui->travel, ui->Shape1,   ui->startSweep,
            ui->endSweep, ui->Label2,  ui->Label3, ui->Selector, ui->Label6};
}
