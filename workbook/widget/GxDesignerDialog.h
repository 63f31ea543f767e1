#pragma once
// The control's own workbook designer: a modal editor with a formatting tool bar (font, size,
// bold, italic, underline, colours, alignment, number format, column width, locks) over a copy
// of the workbook. OK hands the copy back; Cancel drops it.
#include <QDialog>
#include <functional>

class QAction;
class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;
class QToolBar;

namespace vela::workbook {

class TGxBookProxy;
struct Style;

/// @brief Modal workbook designer.
class GxDesignerDialog : public QDialog {
    Q_OBJECT
public:
    explicit GxDesignerDialog(const QString& title, QWidget* parent = nullptr);

    /// The control the designer edits (fill it with AssignFrom before exec()).
    [[nodiscard]] TGxBookProxy* book() const { return DesignerGx; }

    /// Changes the style of every selected cell.
    void applyStyle(const std::function<void(Style&)>& change);
    void setColumnWidthChars(double chars);
    /// Makes the selected rows tall enough for a font size (points).
    void growRows(double fontSize);

private:
    QToolBar* buildFontBar();
    QToolBar* buildFormatBar();
    QAction* addToggle(QToolBar* bar, const QString& name, const QString& text,
                       const QKeySequence& key, const std::function<void(Style&, bool)>& set);
    void addAlign(QToolBar* bar, const QString& name, const QString& text, int code);
    void chooseColour(bool background);
    void followSelection();

    TGxBookProxy* DesignerGx = nullptr;
    QFontComboBox* cbFontName = nullptr;
    QComboBox* cbFontSize = nullptr;
    QComboBox* cbNumberFormat = nullptr;
    QDoubleSpinBox* seColWidth = nullptr;
    QAction* acBold = nullptr;
    QAction* acItalic = nullptr;
    QAction* acUnderline = nullptr;
    QAction* acProtect = nullptr;
    QAction* acLocked = nullptr;
    bool m_following = false;
};

} // namespace vela::workbook
