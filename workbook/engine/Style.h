#pragma once
#include <QHashFunctions>
#include <QRgb>
#include <QString>

namespace vela::workbook {

/// Horizontal alignment; the numbers are the component's codes (HAlign property).
enum class HAlign : quint8 { General = 1, Left = 2, Center = 3, Right = 4, Fill = 5, Justify = 6, CenterAcross = 7 };
/// Vertical alignment.
enum class VAlign : quint8 { Top = 1, Center = 2, Bottom = 3 };

/// @brief The look of a cell. Workbooks keep each distinct style once (see Workbook::styleId).
struct Style {
    QString fontName = QStringLiteral("Arial");
    double fontSize = 10;              ///< points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QRgb color = 0xFF000000;           ///< text colour
    QRgb background = 0;               ///< fill colour; alpha 0 = no fill
    HAlign hAlign = HAlign::General;
    VAlign vAlign = VAlign::Bottom;
    bool wrap = false;
    QString numberFormat = QStringLiteral("General");
    bool locked = true;                ///< takes effect while the sheet is protected
    bool hiddenFormula = false;        ///< formula text not shown while the sheet is protected

    [[nodiscard]] bool hasBackground() const { return qAlpha(background) != 0; }
    friend bool operator==(const Style&, const Style&) = default;
};

inline size_t qHash(const Style& s, size_t seed = 0)
{
    return qHashMulti(seed, s.fontName, s.fontSize, s.bold, s.italic, s.underline, s.color, s.background,
                      int(s.hAlign), int(s.vAlign), s.wrap, s.numberFormat, s.locked, s.hiddenFormula);
}

} // namespace vela::workbook
