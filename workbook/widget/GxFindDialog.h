#pragma once
// The control's find dialog: modeless, so the operator can keep searching while working.
#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace vela::workbook {

/// @brief Asks for a text and options; each "Find Next" emits findNext.
class GxFindDialog : public QDialog {
    Q_OBJECT
public:
    explicit GxFindDialog(QWidget* parent = nullptr);

    [[nodiscard]] QLineEdit* findText() const { return edFindWhat; }
    [[nodiscard]] QPushButton* findNextButton() const { return btFindNext; }
    [[nodiscard]] QCheckBox* matchCase() const { return cbMatchCase; }
    [[nodiscard]] QCheckBox* wholeCell() const { return cbWholeCell; }

Q_SIGNALS:
    void findNext(const QString& text, bool matchCase, bool wholeCell);

private:
    void btFindNextClick();

    QLineEdit* edFindWhat = nullptr;
    QCheckBox* cbMatchCase = nullptr;
    QCheckBox* cbWholeCell = nullptr;
    QPushButton* btFindNext = nullptr;
};

} // namespace vela::workbook
