#include "app/systemdesktop.h"

#include "app/texts.h"
#include "link/portdirectory.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {
// Owned by the main window, a box opens centred over it rather than in the middle of the screen.
// Its text names files and says what the system said: shown as it is, never as markup.
QMessageBox::StandardButton showBox(QWidget *window, QMessageBox::Icon icon, const QString &caption,
                                    const QString &text, QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton preselected)
{
    QMessageBox box(icon, caption, text, buttons, window);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(preselected);
    return QMessageBox::StandardButton(box.exec());
}
} // namespace

void SystemDesktop::beep()
{
    QApplication::beep();
}

void SystemDesktop::messageBox(const QString &text, const QString &caption)
{
    showBox(m_window, QMessageBox::NoIcon, caption, text, QMessageBox::Ok, QMessageBox::Ok);
}

void SystemDesktop::errorBox(const QString &text, const QString &caption)
{
    showBox(m_window, QMessageBox::Critical, caption, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool SystemDesktop::askReplace(const QString &path, const QString &caption)
{
    // The file dialog's own question, in the words the toolkit's translations already have.
    const QString question =
        QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?")
            .arg(Texts::outside(QFileInfo(path).fileName()));
    return showBox(m_window, QMessageBox::Warning, caption, question,
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

Desktop::SaveAnswer SystemDesktop::askSaveChanges(const QString &question, const QString &caption)
{
    switch (showBox(m_window, QMessageBox::Warning, caption, question,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                    QMessageBox::Save)) {
    case QMessageBox::Save:
        return SaveAnswer::Save;
    case QMessageBox::Discard:
        return SaveAnswer::Discard;
    default:
        return SaveAnswer::Cancel;
    }
}

QStringList toolkitNameFilters(const QString &barSeparatedFilter)
{
    const QStringList parts = barSeparatedFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return filters;
}

std::optional<QString> SystemDesktop::chooseFile(const FileDialogRequest &request)
{
    QFileDialog dialog(m_window, request.title);
    // Each description names its own pattern: show it alone rather than followed by the pattern.
    // The window asks before it replaces a file (askReplace), so the dialog does not.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(toolkitNameFilters(request.filter));
    if (request.kind == FileDialogKind::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
    }
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.directory.isEmpty())
        dialog.setDirectory(request.directory);
    if (!request.selectedFile.isEmpty())
        dialog.selectFile(request.selectedFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::vector<SerialDevice> SystemDesktop::serialDevices()
{
    return listSerialDevices();
}
