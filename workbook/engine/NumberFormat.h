#pragma once
#include "workbook/engine/Value.h"

#include <QRgb>
#include <QString>
#include <QStringList>
#include <optional>

namespace vela::workbook {

/// @brief Result of formatting a value: the text and the colour a "[Red]" section asks for.
struct FormattedValue {
    QString text;
    std::optional<QRgb> color;
};

/// @brief Number format codes as spreadsheets know them: "General", "0.0", "#,##0.00", "0%",
/// "0.00E+00", "d/m/yyyy", "hh:mm:ss", "[Red]", ";"-separated sections, "@" and quoted text.
/// Dates are serial numbers of the 1900 date system (1 = 1900-01-01, 60 = the fictitious
/// 1900-02-29 kept for compatibility).
class NumberFormat {
public:
    [[nodiscard]] static FormattedValue format(const Value& v, const QString& code);
    [[nodiscard]] static QString formatNumber(double v, const QString& code);
    /// Category of a code: 0 general, 1 number, 2 currency, 3 date, 4 time, 5 percent,
    /// 6 fraction, 7 scientific, 8 text.
    [[nodiscard]] static int category(const QString& code);
    /// Built-in codes offered by format menus, in a fixed order.
    [[nodiscard]] static const QStringList& builtInCodes();

    /// Serial date of a calendar day (1900 system); NaN-free: invalid dates give -1.
    [[nodiscard]] static double dateSerial(int year, int month, int day);
    /// Calendar day of a serial; false for serials below 0 or beyond 9999-12-31.
    static bool serialToDate(double serial, int& year, int& month, int& day);
};

} // namespace vela::workbook
