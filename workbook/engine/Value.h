#pragma once
#include <QString>

namespace vela::workbook {

/// Error values of formulas, in the order of their ERROR.TYPE numbers; Circular marks cells that
/// take part in a reference cycle.
enum class ErrorCode : quint8 { None = 0, Null, Div0, Value, Ref, Name, Num, NA, Circular };

/// "#NULL!", "#DIV/0!", "#VALUE!", "#REF!", "#NAME?", "#NUM!", "#N/A", "#CIRC!"; empty for None.
[[nodiscard]] QString errorText(ErrorCode e);
/// Inverse of errorText (case-insensitive); None when the text is not an error code.
[[nodiscard]] ErrorCode errorFromText(const QString& text);

/// @brief A cell value: empty, number, text, boolean or error. Cheap to copy.
class Value {
public:
    enum class Type : quint8 { Empty, Number, Text, Boolean, Error };

    Value() = default;
    static Value number(double v);
    static Value text(const QString& s);
    static Value boolean(bool b);
    static Value error(ErrorCode e);

    [[nodiscard]] Type type() const { return m_type; }
    [[nodiscard]] bool isEmpty() const { return m_type == Type::Empty; }
    [[nodiscard]] bool isNumber() const { return m_type == Type::Number; }
    [[nodiscard]] bool isText() const { return m_type == Type::Text; }
    [[nodiscard]] bool isBoolean() const { return m_type == Type::Boolean; }
    [[nodiscard]] bool isError() const { return m_type == Type::Error; }

    [[nodiscard]] double asNumber() const { return m_number; }     ///< number; booleans give 0/1
    [[nodiscard]] bool asBoolean() const { return m_number != 0; }
    [[nodiscard]] const QString& asText() const { return m_text; } ///< the text of a Text value
    [[nodiscard]] ErrorCode errorCode() const { return m_error; }

    /// Plain text of the value without a number format: numbers with at most 15 significant
    /// digits ("0.1", "1E+20"), TRUE/FALSE, error codes, empty for empty.
    [[nodiscard]] QString toString() const;

    friend bool operator==(const Value& a, const Value& b);

private:
    QString m_text;
    double m_number = 0;
    Type m_type = Type::Empty;
    ErrorCode m_error = ErrorCode::None;
};

/// Number as text with at most 15 significant digits, as a spreadsheet shows it in General.
[[nodiscard]] QString numberToText(double v);
/// Reads a number typed or held as text: "12", " -1.5e3 ", "1,234.5", "50%", "(7)"; dates
/// "2020-01-31" and "31/01/2020" and times "13:45[:10]" give serial numbers. False when it is
/// not a number.
bool textToNumber(const QString& text, double& out);

} // namespace vela::workbook
