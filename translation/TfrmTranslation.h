#pragma once
// The translation window: holds the service for the whole run and doubles as the language
// selection window (twelve flag buttons) with a debug search panel.
#include <QWidget>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace vela::translation {

class Translator;

/// @brief Language selection and translation debug window (`frmTranslation`).
class TfrmTranslation : public QWidget {
    Q_OBJECT
public:
    explicit TfrmTranslation(Translator& translator, QWidget* parent = nullptr);
    ~TfrmTranslation() override;

    void ShowLanguageSelection(const QString& programDir, bool hideDebug);
    void SelectLanguage(const QString& baseName);
    bool LoadTranslationFile(QString& name);

    /// Writes the chosen language into the system constants workbook and saves it; set by the
    /// program once the constants window exists. Unset, the save counts as failed.
    void setLanguageSaver(std::function<bool(const QString&)> saver) { m_saveLanguage = std::move(saver); }

    [[nodiscard]] Translator& translator() { return m_translator; }
    [[nodiscard]] QToolButton* languageButton(int index) const;

    struct Language {
        const char* hint;
        const char* baseName;
        bool enabled;
    };
    static const Language kLanguages[12];

public Q_SLOTS:
    void SearchClick();

private:
    void buildLanguages();
    void buildDebugPanel();
    void refreshDebugFields();

    Translator& m_translator;
    std::function<bool(const QString&)> m_saveLanguage;
    QGroupBox* gpLanguages = nullptr;
    QGroupBox* gpSearchDebug = nullptr;
    QLineEdit* SearchText = nullptr;
    QLineEdit* FoundText = nullptr;
    QLineEdit* Location = nullptr;
    QPushButton* Search = nullptr;
    QCheckBox* cbTextNotFound = nullptr;
    QList<QToolButton*> m_buttons;
    bool m_placed = false;
};

} // namespace vela::translation

/// The program's translation window.
extern vela::translation::TfrmTranslation* frmTranslation;
