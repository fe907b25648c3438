#pragma once

#include "app/bars.h"
#include "app/circleshape.h"
#include "app/edits.h"
#include "app/panel.h"
#include "app/radiobutton.h"
#include "app/tpie.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

// The window's controls as a test reaches them: by the object names the layout gives them, as an
// accessibility tool would. A control missing under its name stops the test program.
struct Controls
{
    explicit Controls(QObject *window);

    QGroupBox *GroupBox1, *GroupBox2, *GroupBox3, *GroupBox4;
    ComboBox *baudSelector;
    QLabel *Label1, *Label2, *Label3, *Label6, *Label7, *Label8, *Label12, *Label47, *Label48,
        *Label49, *Label50, *Label51;
    RadioButton *RadioButton4, *RadioButton5, *RadioButton6, *RadioButton7;
    LineEdit *Edit1;
    CircleShape *Shape1;
    TPie *travel;
    TrackBar *Selector;
    QPushButton *Button1;
    ScrollBar *startSweep, *endSweep, *ScrollBar1;
    Panel *Panel1;
    QMenuBar *MenuBar;
    QMenu *SerialPort1, *SerialPort2;
    QAction *fileLoadSettings, *fileSaveSettings, *fileQuit;
    QAction *selectCOM1, *selectCOM2, *selectCOM3, *selectCOM4;
};
