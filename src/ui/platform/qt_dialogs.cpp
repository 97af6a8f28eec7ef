#include "ui/platform/qt_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

namespace {

QWidget* owner()
{
    return QApplication::activeWindow();
}

QMessageBox::Icon qtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

bool runFileDialog(FileDialogState& state, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(owner(), state.title);
    dialog.setAcceptMode(mode);
    // An open form may accept a name that does not exist yet where the caller checks the name itself.
    const bool existing = mode == QFileDialog::AcceptOpen && state.mustExist;
    dialog.setFileMode(existing ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilters(qtFileFilter(state.filter).split(QStringLiteral(";;"), Qt::SkipEmptyParts));
    // The callers make their own checks, the overwrite question among them.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    // Start where the cook last chose a file (home the first time), or where the proposed file is.
    static QString lastFolder = QDir::homePath();
    dialog.setDirectory(lastFolder);
    const QFileInfo proposed(state.fileName);
    if (!state.fileName.isEmpty() && !state.fileName.contains(u'*')) {
        if (proposed.isAbsolute())
            dialog.setDirectory(proposed.absolutePath());
        dialog.selectFile(proposed.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    lastFolder = dialog.directory().absolutePath();
    state.fileName = dialog.selectedFiles().constFirst();
    state.fileTitle = QFileInfo(state.fileName).fileName();
    return true;
}

} // namespace

QString qtFileFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString patterns = QString(parts[i + 1]).replace(u';', u' ').trimmed();
        if (description.contains(QStringLiteral("(") + patterns + QStringLiteral(")")))
            out << description;
        else if (description.startsWith(u'(') && description.endsWith(u')'))
            out << QStringLiteral("(") + patterns + u')'; // the description is only a list of patterns
        else
            out << (description + QStringLiteral(" (") + patterns + u')').trimmed();
    }
    return out.join(QStringLiteral(";;"));
}

MsgAnswer QtDialogs::message(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon)
{
    QMessageBox box(qtIcon(icon), title, text, QMessageBox::NoButton, owner());
    switch (buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MsgButtons::RetryCancel:
        box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return MsgAnswer::Ok;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Retry:
        return MsgAnswer::Retry;
    default:
        // Escape or the close box: the safe answer of the buttons offered.
        return buttons == MsgButtons::YesNo ? MsgAnswer::No
               : buttons == MsgButtons::Ok  ? MsgAnswer::Ok
                                            : MsgAnswer::Cancel;
    }
}

bool QtDialogs::inputBox(const QString& prompt, const QString& title, const QString& defaultText, QString* result)
{
    bool ok = false;
    const QString text = QInputDialog::getText(owner(), title, prompt, QLineEdit::Normal, defaultText, &ok);
    if (ok && result)
        *result = text;
    return ok;
}

bool QtDialogs::openFile(FileDialogState& state)
{
    return runFileDialog(state, QFileDialog::AcceptOpen);
}

bool QtDialogs::saveFile(FileDialogState& state)
{
    return runFileDialog(state, QFileDialog::AcceptSave);
}

bool QtDialogs::chooseFolder(FileDialogState& state)
{
    const QString folder = QFileDialog::getExistingDirectory(owner(), state.title, state.fileName);
    if (folder.isEmpty())
        return false;
    state.fileName = folder;
    state.fileTitle = QFileInfo(folder).fileName();
    return true;
}
