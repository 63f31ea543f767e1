#include "QtDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace vela::platform {
namespace {

QWidget* parentOr(QWidget* p)
{
    return p ? p : QApplication::activeWindow();
}

QMessageBox::Icon iconFor(int flags)
{
    switch (flags & 0xF0) {
    case MB_ICONERROR: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONWARNING: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

QFileDialog* makeFileDialog(QWidget* parent, const FileDialogRequest& r)
{
    auto* d = new QFileDialog(parent, r.caption, r.directory);
    d->setNameFilters(r.filters.isEmpty() ? QStringList{QStringLiteral("All files (*)")}
                                          : r.filters);
    if (r.filterIndex >= 0 && r.filterIndex < r.filters.size())
        d->selectNameFilter(r.filters[r.filterIndex]);
    if (!r.fileName.isEmpty() && !r.fileName.contains(u'*'))
        d->selectFile(r.fileName);
    if (!r.defaultSuffix.isEmpty())
        d->setDefaultSuffix(r.defaultSuffix);
    return d;
}

} // namespace

int QtDialogs::messageBox(const QString& text, const QString& caption, int flags)
{
    QMessageBox box(iconFor(flags), caption, text, QMessageBox::NoButton, parentOr(m_parent));
    switch (flags & 0xF) {
    case MB_OKCANCEL: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MB_YESNOCANCEL:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case MB_YESNO: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    default: box.setStandardButtons(QMessageBox::Ok); break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok: return IDOK;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    default: return IDCANCEL;
    }
}

QString QtDialogs::inputBox(const QString& caption, const QString& prompt, const QString& def,
                            bool* accepted)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(parentOr(m_parent), caption, prompt, QLineEdit::Normal, def, &ok);
    if (accepted)
        *accepted = ok;
    return ok ? text : def;
}

QStringList QtDialogs::openFiles(const FileDialogRequest& r)
{
    std::unique_ptr<QFileDialog> d(makeFileDialog(parentOr(m_parent), r));
    d->setAcceptMode(QFileDialog::AcceptOpen);
    d->setFileMode(r.multiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    if (d->exec() != QDialog::Accepted)
        return {};
    return d->selectedFiles();
}

QString QtDialogs::saveFile(const FileDialogRequest& r)
{
    std::unique_ptr<QFileDialog> d(makeFileDialog(parentOr(m_parent), r));
    d->setAcceptMode(QFileDialog::AcceptSave);
    d->setFileMode(QFileDialog::AnyFile);
    if (!r.promptOverwrite)
        d->setOption(QFileDialog::DontConfirmOverwrite);
    if (d->exec() != QDialog::Accepted || d->selectedFiles().isEmpty())
        return {};
    return d->selectedFiles().first();
}

QString QtDialogs::chooseDirectory(const QString& caption, const QString& directory)
{
    return QFileDialog::getExistingDirectory(parentOr(m_parent), caption, directory);
}

bool QtDialogs::chooseColor(const QString& caption, QColor* colour)
{
    const QColor c = QColorDialog::getColor(colour ? *colour : QColor(Qt::white),
                                            parentOr(m_parent), caption);
    if (!c.isValid())
        return false;
    if (colour)
        *colour = c;
    return true;
}

bool QtDialogs::printDialog(QPrinter* printer)
{
    QPrintDialog d(printer, parentOr(m_parent));
    return d.exec() == QDialog::Accepted;
}

bool QtDialogs::printerSetup(QPrinter* printer)
{
    QPageSetupDialog d(printer, parentOr(m_parent));
    return d.exec() == QDialog::Accepted;
}

} // namespace vela::platform
