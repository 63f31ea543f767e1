#pragma once
// The seventeen series of the results chart: fifteen gloss slots and the black and white
// reflectance lists, with their colours, line widths and marker heights.
#include <QColor>
#include <QString>

namespace vela::charts {

inline constexpr int kSlotCount = 17;
inline constexpr int kGlossSlots = 15;  // slots 0 to 14 hold ResultsRecords
inline constexpr int kBlackSlot = 15;
inline constexpr int kWhiteSlot = 16;

enum class MarkerShape { Rectangle, DownTriangle };

/// @brief How one slot is drawn: normally, or highlighted.
struct SlotStyle {
    const char* component;    // the series' object name
    const char* designTitle;  // title of the series before anything is shown in it
    QColor colour;            // normal colour
    int lineWidth = 1;
    int markerHeight = 1;     // markers keep a width of 1
    MarkerShape shape = MarkerShape::Rectangle;
    bool valueMarks = false;
};

/// @brief The normal style of a slot (0 to 16); slot 0's style for any other number.
[[nodiscard]] SlotStyle normalStyle(int slot);
/// @brief The highlighted style: black, width 2, marker 4 and value marks for the gloss
/// slots; own colour, width 4, marker 8 and value marks for the black and white lists.
[[nodiscard]] SlotStyle highlightedStyle(int slot);
[[nodiscard]] bool isValidSlot(int slot);

} // namespace vela::charts
