#pragma once
// Page settings of a printed sheet.
#include <QMarginsF>
#include <QString>

namespace vela::workbook {

/// @brief How a sheet is laid out on paper. Header and footer texts take the codes
/// &A (sheet name), &F (workbook title), &P (page), &N (pages) and &D (date).
struct GxPageSetup {
    bool landscape = false;
    QMarginsF marginsMm{15.0, 15.0, 15.0, 15.0};
    int scalePercent = 100;       // 10 .. 400
    bool fitToPageWidth = false;  // shrink so that all columns fit one page across
    bool gridLines = true;
    bool headings = false;        // row numbers and column letters
    bool centreHorizontally = false;
    bool acrossThenDown = false;  // page order; the default prints down, then across
    QString header = QStringLiteral("&A");
    QString footer = QStringLiteral("Page &P of &N");

    friend bool operator==(const GxPageSetup&, const GxPageSetup&) = default;
};

} // namespace vela::workbook
