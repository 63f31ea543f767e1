#include "charts/SlotStyle.h"

namespace vela::charts {

namespace {

struct SlotRow {
    const char* component;
    const char* title;
    QRgb rgb;
};

constexpr SlotRow kSlots[kSlotCount] = {
    {"Series1", "Gloss", 0x0000FF},   {"Series8", "Gloss2", 0x804000},
    {"Series9", "Gloss3", 0x004000},  {"Series10", "Gloss4", 0x004040},
    {"Series11", "Gloss5", 0x000040}, {"Series12", "Gloss6", 0xFF0080},
    {"Series13", "Gloss7", 0x800040}, {"Series14", "Gloss8", 0x8080FF},
    {"Series15", "Gloss9", 0x80FF00}, {"Series16", "Gloss10", 0x00FF40},
    {"Series17", "Gloss11", 0x408080}, {"Series18", "Gloss12", 0xFF80C0},
    {"Series19", "Gloss13", 0x0080FF}, {"Series20", "Gloss14", 0xFF00FF},
    {"Series21", "Gloss15", 0x808000}, {"Series22", "Black", 0x000000},
    {"Series23", "White", 0xFFFFFF},
};

} // namespace

bool isValidSlot(int slot)
{
    return slot >= 0 && slot < kSlotCount;
}

SlotStyle normalStyle(int slot)
{
    if (!isValidSlot(slot))
        slot = 0;
    const SlotRow& row = kSlots[slot];
    SlotStyle s{row.component, row.title, QColor::fromRgb(row.rgb)};
    const bool reflectance = slot >= kBlackSlot;
    s.lineWidth = reflectance ? 2 : 1;
    s.markerHeight = reflectance ? 4 : 1;
    s.shape = slot == kBlackSlot ? MarkerShape::DownTriangle : MarkerShape::Rectangle;
    return s;
}

SlotStyle highlightedStyle(int slot)
{
    SlotStyle s = normalStyle(slot);
    s.valueMarks = true;
    if (slot >= kBlackSlot) {
        s.lineWidth = 4;
        s.markerHeight = 8;
    } else {
        s.colour = QColor(Qt::black);
        s.lineWidth = 2;
        s.markerHeight = 4;
    }
    return s;
}

} // namespace vela::charts
