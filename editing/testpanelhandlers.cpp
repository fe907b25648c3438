// The test panel: its slider moves the selected servo at the chosen rate.
#include "app/tform1.h"
#include "link/senders.h"

void TForm1::ScrollBar1Change(QObject *)
{
    sendTestPosition();
}

void TForm1::Panel1MouseDown(QObject *, Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    Button1->setEnabled(false);
}

void TForm1::Panel1MouseUp(QObject *, Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    Button1->setEnabled(true);
}
