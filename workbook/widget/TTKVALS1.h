#pragma once
// The system constants window: shows the constants workbook ("\sys\System Constants.VTS") in a
// workbook control and lets service staff edit it after a confirmation. Cell A1 of the first
// sheet names the language file of the translation service.
#include <QString>
#include <QWidget>

namespace vela::workbook {

class TGxBookProxy;

/// @brief `TKVALS1`: the system constants window.
class TTKVALS1 : public QWidget {
    Q_OBJECT
public:
    /// The workbook's name relative to the program directory.
    static inline const QString kWorkbookFileName = QStringLiteral("\\sys\\System Constants.VTS");
    static constexpr int kMaxNameLength = 259;

    explicit TTKVALS1(QWidget* parent = nullptr);
    ~TTKVALS1() override;

    /// Reads a constants workbook; an empty path asks with "Load System Constants". On success
    /// path holds the file read.
    bool LoadSystemConstants(QString& path);
    /// Keeps the text of A1 of the first sheet as the translation file name.
    void ReadSystemConstants();
    /// Unlocks the sheet, selects A1 of the first sheet and puts the language base name there.
    bool SetTranslationFileName(const QString& baseName);
    /// Locks the sheet and writes the workbook; an empty path asks with "Save System Constants".
    bool SaveSystemConstants(QString& path);
    /// Opens the window on the constants of a program directory; mode 1 or less allows editing.
    void ShowSystemConstants(const QString& programDirectory, int mode);
    /// Loads program directory + the workbook file name and reads the constants (start-up).
    bool LoadAtStartup(const QString& programDirectory);

    [[nodiscard]] const QString& translationFileName() const { return m_translationFileName; }
    [[nodiscard]] bool editable() const { return m_editable; }
    [[nodiscard]] bool modified() const { return m_modified; }
    [[nodiscard]] bool loaded() const { return m_loaded; }
    [[nodiscard]] TGxBookProxy* component() const { return TKVALSGx; }

    // Handlers of the control's events and of hiding the window.
    void TKVALSGxDblClick(int row, int col);
    void TKVALSGxRDblClick(int row, int col);
    void TKVALSGxModified();
    void FormHide();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    [[nodiscard]] QString workbookPath() const;
    void lock();

    TGxBookProxy* TKVALSGx = nullptr;
    QString m_programDir;
    QString m_translationFileName;
    bool m_editable = false;
    bool m_modified = false;
    bool m_loaded = false;
    bool m_centred = false;
    bool m_quiet = false;  // true while the window itself loads, locks or unlocks the sheet
};

/// Start-up: loads the constants workbook of the program directory into TKVALS1 and reads the
/// constants. Returns true when it was read; languageBaseName then holds A1 (may be empty).
bool LoadSystemConstantsAtStartup(QString* languageBaseName = nullptr);

/// The language window's save: puts the language base name into A1 of the first sheet of the
/// constants workbook and writes program directory + "\sys\System Constants.VTS". Works on
/// TKVALS1 when it exists (loading the file first if it was not read at start-up).
bool SaveLanguageToConstants(const QString& baseName);

} // namespace vela::workbook

/// The program's system constants window (created at start-up by the entry point).
extern vela::workbook::TTKVALS1* TKVALS1;
