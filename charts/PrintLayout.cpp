#include "charts/PrintLayout.h"

namespace vela::charts {

PrintLayout printLayout(int pageWidth)
{
    PrintLayout layout;
    const int left = pageWidth / 9;
    const int right = pageWidth - pageWidth / 9;
    // QRect's right() is inclusive: build it from the two edges so right() is the edge itself.
    layout.chart = QRect(QPoint(left, 160), QPoint(right, 2400));
    return layout;
}

} // namespace vela::charts
