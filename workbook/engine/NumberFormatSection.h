#pragma once
// One ';'-separated section of a number format code, parsed once and cached.
#include <QRgb>
#include <QString>
#include <QVector>
#include <optional>

namespace vela::workbook {

struct FormatToken {
    enum class Kind : quint8 { Literal, Digits, Date, AmPm, TextValue } kind = Kind::Literal;
    QString text; ///< literal text, or the date code ("yyyy", "mm", "m" for minutes is "M"...)
};

struct FormatSection {
    std::optional<QRgb> color;
    QVector<FormatToken> tokens;
    // number layout
    QString prefix, suffix;      ///< literals around the number
    int intZeros = 0;            ///< '0' in the integer part (minimum digits)
    int decZeros = 0;            ///< '0' after the point (always shown)
    int decTotal = 0;            ///< all placeholders after the point
    bool grouping = false;       ///< thousands separators
    int scaleThousands = 0;      ///< trailing commas
    int percent = 0;
    bool exponent = false;
    bool exponentPlus = false;
    int expDigits = 0;
    bool fraction = false;
    int fracDigits = 0;          ///< placeholders of the denominator
    bool currency = false;
    bool isDate = false, hasDay = false, hasMonth = false, hasYear = false, elapsedHours = false;
    bool isText = false;         ///< has '@'
    bool isGeneral = false;
    bool hasDigits = false;
};

QVector<FormatSection> parseFormatCode(const QString& code);
/// The section for a number; dropSign is set when the section stands for negatives.
const FormatSection& numberSection(const QVector<FormatSection>& secs, double x, bool& dropSign);
/// The section for a text, or null when texts show as they are.
const FormatSection* textSection(const QVector<FormatSection>& secs);
QString formatNumberSection(const FormatSection& s, double x);
QString formatTextSection(const FormatSection& s, const QString& text);

} // namespace vela::workbook
