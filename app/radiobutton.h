#pragma once

#include <QRadioButton>

// A radio button whose click event (becameChecked) runs whenever it becomes checked, by the user or
// by the program, and not when it already was. Only the checked button of a group is a Tab stop.
class RadioButton : public QRadioButton
{
    Q_OBJECT

  public:
    explicit RadioButton(QWidget *parent = nullptr);

    // The program's set: raises becameChecked at once and carries out an error of its handler.
    void setChecked(bool checked);

  Q_SIGNALS:
    void becameChecked();

  private:
    void onToggled(bool checked);
};
