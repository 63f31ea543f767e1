#pragma once
#include "Dialogs.h"

namespace vela::platform {

/// @brief The real dialogs: Qt's message boxes, input dialog, file, colour and print dialogs.
class QtDialogs final : public Dialogs {
public:
    int messageBox(const QString& text, const QString& caption, int flags) override;
    QString inputBox(const QString& caption, const QString& prompt, const QString& def,
                     bool* accepted) override;
    QStringList openFiles(const FileDialogRequest& request) override;
    QString saveFile(const FileDialogRequest& request) override;
    QString chooseDirectory(const QString& caption, const QString& directory) override;
    bool chooseColor(const QString& caption, QColor* colour) override;
    bool printDialog(QPrinter* printer) override;
    bool printerSetup(QPrinter* printer) override;
};

} // namespace vela::platform
