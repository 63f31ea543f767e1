#include "Dialogs.h"

namespace vela::platform {
namespace {

// Answers without asking: OK for information, No/Cancel for questions, Cancel for choices.
class QuietDialogs final : public Dialogs {
public:
    int messageBox(const QString&, const QString&, int flags) override
    {
        const int buttons = flags & 0xF;
        return buttons == MB_OK ? IDOK : (buttons == MB_YESNO ? IDNO : IDCANCEL);
    }
    QString inputBox(const QString&, const QString&, const QString& def, bool* accepted) override
    {
        if (accepted)
            *accepted = false;
        return def;
    }
    QStringList openFiles(const FileDialogRequest&) override { return {}; }
    QString saveFile(const FileDialogRequest&) override { return {}; }
    QString chooseDirectory(const QString&, const QString&) override { return {}; }
    bool chooseColor(const QString&, QColor*) override { return false; }
    bool printDialog(QPrinter*) override { return false; }
    bool printerSetup(QPrinter*) override { return false; }
};

std::unique_ptr<Dialogs>& current()
{
    static std::unique_ptr<Dialogs> impl = std::make_unique<QuietDialogs>();
    return impl;
}

} // namespace

Dialogs& dialogs()
{
    return *current();
}

void setDialogs(std::unique_ptr<Dialogs> impl)
{
    current() = impl ? std::move(impl) : std::make_unique<QuietDialogs>();
}

QString openFile(const FileDialogRequest& request)
{
    const QStringList files = dialogs().openFiles(request);
    return files.isEmpty() ? QString() : files.first();
}

} // namespace vela::platform
