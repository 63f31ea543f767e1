#pragma once
// A Dialogs implementation for tests: each prompt is answered by the next scripted answer of
// its kind whose text filter matches; every prompt is recorded; a prompt with no matching
// answer is recorded as unexpected (tests check unexpected() is empty) and is cancelled.
#include "Dialogs.h"

#include <QList>
#include <functional>

namespace vela::platform {

enum class DialogKind { Message, Input, OpenFile, SaveFile, Directory, Colour, Print, PrinterSetup };

/// @brief One prompt as the program showed it.
struct DialogRecord {
    DialogKind kind;
    QString text;     // message text, prompt, or caption of a file dialog
    QString caption;
    int flags = 0;
    QString directory;
    QString fileName;
    QString defaultSuffix;
};

/// @brief One scripted answer.
struct DialogAnswer {
    DialogKind kind;
    QString match;            // the prompt's text or caption must contain this (empty: any)
    int button = IDOK;        // message boxes
    QString text;             // input text, or a file path (several separated by '\n')
    bool accept = true;       // false: Cancel
    QColor colour;
    bool repeat = false;      // stays in the script after use
};

/// @brief Scripted dialogs for tests.
class ScriptedDialogs : public Dialogs {
public:
    void expect(const DialogAnswer& answer) { m_script.append(answer); }
    void expectMessage(const QString& match, int button = IDOK)
    {
        expect({DialogKind::Message, match, button, {}, true, {}, false});
    }
    void expectInput(const QString& match, const QString& text, bool accept = true)
    {
        expect({DialogKind::Input, match, IDOK, text, accept, {}, false});
    }
    void expectOpen(const QString& match, const QString& path)
    {
        expect({DialogKind::OpenFile, match, IDOK, path, !path.isEmpty(), {}, false});
    }
    void expectSave(const QString& match, const QString& path)
    {
        expect({DialogKind::SaveFile, match, IDOK, path, !path.isEmpty(), {}, false});
    }
    /// Answers every message box with this button (e.g. for noisy set-ups).
    void allowAllMessages(int button = IDOK)
    {
        expect({DialogKind::Message, {}, button, {}, true, {}, true});
    }

    [[nodiscard]] const QList<DialogRecord>& shown() const { return m_shown; }
    [[nodiscard]] const QList<DialogRecord>& unexpected() const { return m_unexpected; }
    [[nodiscard]] QList<DialogAnswer> unused() const;
    [[nodiscard]] QStringList messages() const;  // texts of the message boxes shown
    void clear();

    int messageBox(const QString& text, const QString& caption, int flags) override;
    QString inputBox(const QString& caption, const QString& prompt, const QString& def,
                     bool* accepted) override;
    QStringList openFiles(const FileDialogRequest& request) override;
    QString saveFile(const FileDialogRequest& request) override;
    QString chooseDirectory(const QString& caption, const QString& directory) override;
    bool chooseColor(const QString& caption, QColor* colour) override;
    bool printDialog(QPrinter* printer) override;
    bool printerSetup(QPrinter* printer) override;

private:
    const DialogAnswer* take(const DialogRecord& record);

    QList<DialogAnswer> m_script;
    QList<DialogRecord> m_shown;
    QList<DialogRecord> m_unexpected;
    DialogAnswer m_last;
};

} // namespace vela::platform
