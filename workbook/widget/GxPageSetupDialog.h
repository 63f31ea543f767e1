#pragma once
// The control's page set-up dialog: orientation, margins, scale, grid lines, headings, header
// and footer, page order, and the printer set-up of the platform.
#include "GxPageSetup.h"

#include <QDialog>

class QCheckBox;
class QDoubleSpinBox;
class QLineEdit;
class QPrinter;
class QRadioButton;
class QSpinBox;

namespace vela::workbook {

/// @brief Edits a GxPageSetup; the caller applies setup() after Accepted.
class GxPageSetupDialog : public QDialog {
    Q_OBJECT
public:
    GxPageSetupDialog(const GxPageSetup& setup, QPrinter* printer, QWidget* parent = nullptr);

    [[nodiscard]] GxPageSetup setup() const;

private:
    QWidget* buildPage();
    QWidget* buildMargins();
    QWidget* buildSheet();
    void load(const GxPageSetup& setup);
    void btPrinterClick();

    QPrinter* m_printer;
    QRadioButton* rbPortrait = nullptr;
    QRadioButton* rbLandscape = nullptr;
    QSpinBox* seScale = nullptr;
    QCheckBox* cbFitWidth = nullptr;
    QDoubleSpinBox* seTop = nullptr;
    QDoubleSpinBox* seBottom = nullptr;
    QDoubleSpinBox* seLeft = nullptr;
    QDoubleSpinBox* seRight = nullptr;
    QCheckBox* cbCentre = nullptr;
    QCheckBox* cbGridLines = nullptr;
    QCheckBox* cbHeadings = nullptr;
    QRadioButton* rbDownThenAcross = nullptr;
    QRadioButton* rbAcrossThenDown = nullptr;
    QLineEdit* edHeader = nullptr;
    QLineEdit* edFooter = nullptr;
};

} // namespace vela::workbook
