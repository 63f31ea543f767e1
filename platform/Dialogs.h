#pragma once
// The one seam through which the program asks the operator anything: message boxes, input
// boxes, file dialogs, colour, print and printer set-up dialogs. Nothing else in the program
// opens such a dialog, so tests can answer every prompt from a script.
#include <QColor>
#include <QString>
#include <QStringList>
#include <memory>

class QPrinter;
class QWidget;

namespace vela::platform {

// Classic message-box flags and result codes.
inline constexpr int MB_OK = 0x0;
inline constexpr int MB_OKCANCEL = 0x1;
inline constexpr int MB_YESNOCANCEL = 0x3;
inline constexpr int MB_YESNO = 0x4;
inline constexpr int MB_ICONERROR = 0x10;
inline constexpr int MB_ICONQUESTION = 0x20;
inline constexpr int MB_ICONWARNING = 0x30;
inline constexpr int MB_ICONINFORMATION = 0x40;
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

/// @brief What a file dialog is asked: caption, initial folder and name, filters.
struct FileDialogRequest {
    QString caption;
    QString directory;      // initial folder
    QString fileName;       // initial file name (may hold a pattern such as "*.txt")
    QStringList filters;    // "Results files (*.res)", ...
    int filterIndex = 0;
    QString defaultSuffix;  // without the dot
    bool multiSelect = false;
    bool promptOverwrite = true;
};

/// @brief Interface of every operator dialog. Results: message boxes give IDOK/IDYES/..., the
/// others give an empty value (or false) for Cancel.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual int messageBox(const QString& text, const QString& caption, int flags) = 0;
    /// Returns the entered text, or nullopt-like empty result with *accepted false on Cancel.
    virtual QString inputBox(const QString& caption, const QString& prompt, const QString& def,
                             bool* accepted) = 0;
    /// Returns the chosen files (one unless multiSelect); empty on Cancel.
    virtual QStringList openFiles(const FileDialogRequest& request) = 0;
    virtual QString saveFile(const FileDialogRequest& request) = 0;
    virtual QString chooseDirectory(const QString& caption, const QString& directory) = 0;
    virtual bool chooseColor(const QString& caption, QColor* colour) = 0;
    /// Print dialog for a printer the caller prepared; false on Cancel.
    virtual bool printDialog(QPrinter* printer) = 0;
    virtual bool printerSetup(QPrinter* printer) = 0;
    /// Window that dialogs are shown over; may be null.
    virtual void setParentWindow(QWidget* parent) { m_parent = parent; }

protected:
    QWidget* m_parent = nullptr;
};

/// @brief The dialogs in force. Until one is installed, a quiet implementation answers every
/// prompt with its Cancel/No/OK default (useful for command-line tools).
[[nodiscard]] Dialogs& dialogs();
/// Installs an implementation (the program installs QtDialogs, tests a ScriptedDialogs).
void setDialogs(std::unique_ptr<Dialogs> impl);

/// Convenience: one file from openFiles(), empty on Cancel.
[[nodiscard]] QString openFile(const FileDialogRequest& request);

} // namespace vela::platform
