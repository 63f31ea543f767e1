#pragma once
// Small pictures for the results chart's tool bar and the series markers, drawn in code so the
// program carries no image files for them.
#include "charts/SlotStyle.h"

#include <QIcon>
#include <QImage>

namespace vela::charts {

[[nodiscard]] QIcon printIcon();
[[nodiscard]] QIcon exitIcon();
[[nodiscard]] QIcon analysisIcon();

/// @brief A series marker: a rectangle 3 pixels wide (a downward triangle for the black
/// list) whose height follows the style, on a square transparent image.
[[nodiscard]] QImage markerImage(const SlotStyle& style);
/// @brief Side of the square image of markerImage().
[[nodiscard]] int markerImageSize(const SlotStyle& style);

} // namespace vela::charts
