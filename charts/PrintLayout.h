#pragma once
// Where the printout of the results chart puts its heading, cursor line and chart, in printer
// pixels at 300 dpi (the printable area's top-left is 0, 0).
#include <QPoint>
#include <QRect>

namespace vela::charts {

inline constexpr int kPrintResolution = 300;

/// @brief Fixed positions of the printout for one printable page width.
struct PrintLayout {
    QPoint heading{1100, 0};   // title and date
    int cursorRow = 80;        // cursor line, printed only when the cursors were placed
    int c1Caption = 100, c1Values = 300, c2Caption = 900, c2Values = 1100;
    int rateCaption = 1800, rateValue = 2200;
    QRect chart;               // left = width / 9, top 160, right = width - width / 9, bottom 2400
    int fontPointSize = 14;
};

/// @brief The layout for a printable width in printer pixels; the chart always spans rows 160
/// to 2400 whatever the page height.
[[nodiscard]] PrintLayout printLayout(int pageWidth);

} // namespace vela::charts
