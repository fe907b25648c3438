#include "app/edits.h"

#include "app/eventguard.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <algorithm>
#include <memory>

namespace {
// Latin-1 as is; anything beyond is typed as '?'.
char eightBitCode(char32_t c)
{
    return static_cast<char>(c < 256 ? c : U'?');
}
} // namespace

std::optional<char> typedCharacter(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers mods = event.modifiers();
    const int key = event.key();
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier)) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            return static_cast<char>(key - Qt::Key_A + 1);
        if (key == Qt::Key_Backspace)
            return '\x7f'; // else it would erase a word behind the hook's back
    }
    if (key == Qt::Key_Delete)
        return std::nullopt;
    const QString text = event.text();
    if (text.isEmpty())
        return std::nullopt;
    const char16_t c = text.front().unicode();
    if (c == 0x7F)
        return std::nullopt;
    return eightBitCode(c);
}

namespace {
// Runs the hook on a key event. Returns true when the keystroke was used up (discarded or
// replaced); false when it goes on unchanged to the control.
bool runKeyPressHook(const KeyPressHook &hook, QKeyEvent *event, QWidget *target)
{
    if (!hook)
        return false;
    const std::optional<char> typed = typedCharacter(*event);
    if (!typed)
        return false;
    char key = *typed;
    runHandler([&] { hook(key); });
    if (key == *typed)
        return false;
    event->accept();
    if (key != 0) {
        QKeyEvent replaced(QEvent::KeyPress, 0, Qt::NoModifier,
                           QString(QChar(static_cast<unsigned char>(key))));
        QCoreApplication::sendEvent(target, &replaced);
    }
    return true;
}

// An input method's event as the edit is to take it: of the committed text only what the hook lets
// through, each character run through it as if typed. Text still being composed is not shown, as
// showing it would also remove the selection without the hook's say.
std::unique_ptr<QInputMethodEvent> throughKeyPressHook(const KeyPressHook &hook,
                                                       const QInputMethodEvent &event)
{
    if (!hook)
        return std::unique_ptr<QInputMethodEvent>(event.clone());
    QString passed;
    for (const char32_t c : event.commitString().toUcs4()) {
        char key = eightBitCode(c);
        runHandler([&] { hook(key); });
        const QChar typed(static_cast<unsigned char>(key));
        if (key != 0 && typed.isPrint())
            passed += typed;
    }
    auto filtered = std::make_unique<QInputMethodEvent>();
    if (!passed.isEmpty())
        filtered->setCommitString(passed, event.replacementStart(), event.replacementLength());
    return filtered;
}
} // namespace

LengthLimit::LengthLimit(QLineEdit *edit) : QValidator(edit), m_edit(edit), m_current(edit->text())
{
    connect(edit, &QLineEdit::textChanged, this, [this] { m_current = m_edit->text(); });
    edit->setValidator(this);
}

void LengthLimit::setProgramText(const QString &text)
{
    // Refusing the set would not undo it, only leave the edit taking the next keystroke unchecked.
    const QScopedValueRollback<bool> programSet(m_programSet, true);
    m_edit->setText(text);
}

namespace {
// Whether `after` is `before` less one run of characters, as deleting or cutting leaves it.
bool onlyRemoves(const QString &before, const QString &after)
{
    if (after.size() > before.size())
        return false;
    const auto head = std::mismatch(after.begin(), after.end(), before.begin()).first;
    const auto tail =
        std::mismatch(after.rbegin(), std::make_reverse_iterator(head), before.rbegin()).first;
    return tail.base() == head;
}
} // namespace

QValidator::State LengthLimit::validate(QString &input, int &) const
{
    if (m_programSet || m_limit <= 0 || input.size() <= m_limit)
        return Acceptable;
    // Over the limit, text the program put in may only be shortened, never added to.
    return onlyRemoves(m_current, input) ? Acceptable : Invalid;
}

LineEdit::LineEdit(QWidget *parent) : QLineEdit(parent), m_limit(new LengthLimit(this)) {}

void LineEdit::setText(const QString &text)
{
    m_limit->setProgramText(text);
    rethrowPendingError();
}

void LineEdit::keyPressEvent(QKeyEvent *event)
{
    if (!runKeyPressHook(m_hook, event, this))
        QLineEdit::keyPressEvent(event);
}

void LineEdit::inputMethodEvent(QInputMethodEvent *event)
{
    QLineEdit::inputMethodEvent(throughKeyPressHook(m_hook, *event).get());
}

ComboBox::ComboBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    m_limit = new LengthLimit(lineEdit());
    // Completion would put a list item's digits into the text behind the key filter's back.
    setCompleter(nullptr);
    setInsertPolicy(QComboBox::NoInsert);
    lineEdit()->installEventFilter(this);
    connect(lineEdit(), &QLineEdit::textEdited, this, &ComboBox::userChanged);
    connect(this, &QComboBox::activated, this, &ComboBox::userChanged);
}

void ComboBox::keyPressEvent(QKeyEvent *event)
{
    if (!runKeyPressHook(m_hook, event, this))
        QComboBox::keyPressEvent(event);
}

void ComboBox::inputMethodEvent(QInputMethodEvent *event)
{
    QComboBox::inputMethodEvent(throughKeyPressHook(m_hook, *event).get());
}

bool ComboBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lineEdit() && event->type() == QEvent::KeyPress)
        return runKeyPressHook(m_hook, static_cast<QKeyEvent *>(event), lineEdit());
    if (watched == lineEdit() && event->type() == QEvent::InputMethod) {
        lineEdit()->event(
            throughKeyPressHook(m_hook, *static_cast<QInputMethodEvent *>(event)).get());
        return true;
    }
    return QComboBox::eventFilter(watched, event);
}
