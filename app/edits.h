#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QValidator>
#include <functional>
#include <optional>

class QInputMethodEvent;
class QKeyEvent;

// A key-press hook sees each typed character as an 8-bit code and may replace it; 0 discards the
// keystroke. Keys that type no character (arrows, Delete, function keys) never reach it; text from
// an input method reaches it one character at a time.
using KeyPressHook = std::function<void(char &key)>;

// The 8-bit code a key event types: backspace 8, Enter 13, Ctrl+V 22, Ctrl+Backspace 127, Latin-1
// as is, other characters '?'. Nothing for keys that type no character.
std::optional<char> typedCharacter(const QKeyEvent &event);

// Limits what the user types or pastes into an edit; text set by the program is never cut short,
// and a limit below the current length does not shorten the text (it can still be deleted).
class LengthLimit : public QValidator
{
    Q_OBJECT

  public:
    explicit LengthLimit(QLineEdit *edit);

    void setLimit(int limit) { m_limit = limit; }
    int limit() const { return m_limit; }
    // The program's set, which the limit neither refuses nor cuts short.
    void setProgramText(const QString &text);
    State validate(QString &input, int &pos) const override;

  private:
    QLineEdit *m_edit;
    int m_limit = 0; // 0: no limit
    QString m_current;
    bool m_programSet = false;
};

// A one-line edit box: change event (textChanged) on every change of its text, also a program's
// set; key-press hook; maximum length.
class LineEdit : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(int maxChars READ maxChars WRITE setMaxChars)

  public:
    explicit LineEdit(QWidget *parent = nullptr);

    void setKeyPressHook(KeyPressHook hook) { m_hook = std::move(hook); }
    void setMaxChars(int limit) { m_limit->setLimit(limit); }
    int maxChars() const { return m_limit->limit(); }
    // The program's set: raises textChanged at once and carries out an error of its handler.
    void setText(const QString &text);

  protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;

  private:
    LengthLimit *m_limit;
    KeyPressHook m_hook;
};

// An editable drop-down list whose change event (userChanged) follows only the user's edits and
// list picks, never a text set by the program.
class ComboBox : public QComboBox
{
    Q_OBJECT
    Q_PROPERTY(int maxChars READ maxChars WRITE setMaxChars)

  public:
    explicit ComboBox(QWidget *parent = nullptr);

    void setKeyPressHook(KeyPressHook hook) { m_hook = std::move(hook); }
    void setMaxChars(int limit) { m_limit->setLimit(limit); }
    int maxChars() const { return m_limit->limit(); }
    QString text() const { return currentText(); }
    void setText(const QString &text) { m_limit->setProgramText(text); }

  Q_SIGNALS:
    void userChanged();

  protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    LengthLimit *m_limit;
    KeyPressHook m_hook;
};
