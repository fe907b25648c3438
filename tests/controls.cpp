#include "tests/controls.h"

namespace {
template <typename T> T *named(QObject *window, const char *name)
{
    T *found = window->findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("The window has no %s named %s", T::staticMetaObject.className(), name);
    return found;
}
} // namespace

#define CONTROL(name) name(named<std::remove_pointer_t<decltype(name)>>(window, #name))

Controls::Controls(QObject *window)
    : CONTROL(GroupBox1), CONTROL(GroupBox2), CONTROL(GroupBox3), CONTROL(GroupBox4),
      CONTROL(baudSelector), CONTROL(Label1), CONTROL(Label2), CONTROL(Label3), CONTROL(Label6),
      CONTROL(Label7), CONTROL(Label8), CONTROL(Label12), CONTROL(Label47), CONTROL(Label48),
      CONTROL(Label49), CONTROL(Label50), CONTROL(Label51), CONTROL(RadioButton4),
      CONTROL(RadioButton5), CONTROL(RadioButton6), CONTROL(RadioButton7), CONTROL(Edit1),
      CONTROL(Shape1), CONTROL(travel), CONTROL(Selector), CONTROL(Button1), CONTROL(startSweep),
      CONTROL(endSweep), CONTROL(ScrollBar1), CONTROL(Panel1), CONTROL(MenuBar),
      CONTROL(SerialPort1), CONTROL(SerialPort2), CONTROL(fileLoadSettings),
      CONTROL(fileSaveSettings), CONTROL(fileQuit), CONTROL(selectCOM1), CONTROL(selectCOM2),
      CONTROL(selectCOM3), CONTROL(selectCOM4)
{}
