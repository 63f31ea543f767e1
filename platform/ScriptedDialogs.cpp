#include "ScriptedDialogs.h"

namespace vela::platform {

const DialogAnswer* ScriptedDialogs::take(const DialogRecord& record)
{
    m_shown.append(record);
    for (qsizetype i = 0; i < m_script.size(); ++i) {
        const DialogAnswer& a = m_script[i];
        if (a.kind != record.kind)
            continue;
        if (!a.match.isEmpty() && !record.text.contains(a.match) &&
            !record.caption.contains(a.match))
            continue;
        m_last = a;
        if (!a.repeat)
            m_script.removeAt(i);
        return &m_last;
    }
    m_unexpected.append(record);
    return nullptr;
}

QList<DialogAnswer> ScriptedDialogs::unused() const
{
    QList<DialogAnswer> out;
    for (const auto& a : m_script)
        if (!a.repeat)
            out << a;
    return out;
}

QStringList ScriptedDialogs::messages() const
{
    QStringList out;
    for (const auto& r : m_shown)
        if (r.kind == DialogKind::Message)
            out << r.text;
    return out;
}

void ScriptedDialogs::clear()
{
    m_script.clear();
    m_shown.clear();
    m_unexpected.clear();
}

int ScriptedDialogs::messageBox(const QString& text, const QString& caption, int flags)
{
    const DialogAnswer* a = take({DialogKind::Message, text, caption, flags, {}, {}});
    if (a)
        return a->button;
    const int buttons = flags & 0xF;
    return buttons == MB_YESNO ? IDNO : (buttons == MB_OK ? IDOK : IDCANCEL);
}

QString ScriptedDialogs::inputBox(const QString& caption, const QString& prompt,
                                  const QString& def, bool* accepted)
{
    const DialogAnswer* a = take({DialogKind::Input, prompt, caption, 0, {}, def});
    const bool ok = a && a->accept;
    if (accepted)
        *accepted = ok;
    return ok ? a->text : def;
}

QStringList ScriptedDialogs::openFiles(const FileDialogRequest& r)
{
    const DialogAnswer* a =
        take({DialogKind::OpenFile, r.caption, r.caption, 0, r.directory, r.fileName, r.defaultSuffix});
    if (!a || !a->accept)
        return {};
    return a->text.split(u'\n', Qt::SkipEmptyParts);
}

QString ScriptedDialogs::saveFile(const FileDialogRequest& r)
{
    const DialogAnswer* a =
        take({DialogKind::SaveFile, r.caption, r.caption, 0, r.directory, r.fileName, r.defaultSuffix});
    return a && a->accept ? a->text : QString();
}

QString ScriptedDialogs::chooseDirectory(const QString& caption, const QString& directory)
{
    const DialogAnswer* a = take({DialogKind::Directory, caption, caption, 0, directory, {}});
    return a && a->accept ? a->text : QString();
}

bool ScriptedDialogs::chooseColor(const QString& caption, QColor* colour)
{
    const DialogAnswer* a = take({DialogKind::Colour, caption, caption, 0, {}, {}});
    if (!a || !a->accept)
        return false;
    if (colour)
        *colour = a->colour;
    return true;
}

bool ScriptedDialogs::printDialog(QPrinter*)
{
    const DialogAnswer* a = take({DialogKind::Print, {}, {}, 0, {}, {}});
    return a && a->accept;
}

bool ScriptedDialogs::printerSetup(QPrinter*)
{
    const DialogAnswer* a = take({DialogKind::PrinterSetup, {}, {}, 0, {}, {}});
    return a && a->accept;
}

} // namespace vela::platform
