#pragma once
// Results file images as JSON (the form velactl dumps and makes files from) and samples as CSV.
// Floats are written in their shortest exact form; NaN, infinities and -0 as the texts "NaN"
// ("NaN:7fc00001" for other NaNs), "Infinity", "-Infinity", "-0", so a dump made back into a
// file gives the same bytes.
#include "results/ResultsFileImage.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

namespace vela::results {

/// The image as UTF-8 JSON text (the dump of velactl), one sample a line.
[[nodiscard]] QByteArray toJsonText(const ResultsFileImage& image);
[[nodiscard]] QByteArray toJsonText(const OpacityFileImage& image);
/// The same as a JSON object.
[[nodiscard]] QJsonObject toJson(const ResultsFileImage& image);
[[nodiscard]] QJsonObject toJson(const OpacityFileImage& image);

/// Shortest text of a float that reads back to the same float as a JSON or CSV number, or
/// "NaN", "NaN:xxxxxxxx", "Infinity", "-Infinity", "-0" for what a number cannot carry.
[[nodiscard]] QByteArray floatText(float f);
/// Whether floatText gave a number (false for the named forms).
[[nodiscard]] bool isNumberText(const QByteArray& text);

/// @brief A file image built from JSON: which kind, and the image of that kind.
struct JsonImage {
    bool opacity = false;
    ResultsFileImage gloss;
    OpacityFileImage opacityImage;
    [[nodiscard]] QByteArray bytes() const;
};

/// Builds an image from JSON; false with a reason naming the field when a field is missing,
/// of the wrong type, too long for its buffer, not representable in Windows-1252, or a list
/// is longer than the record holds.
[[nodiscard]] bool fromJson(const QJsonObject& json, JsonImage* image, QString* error);

/// The samples as CSV (gloss: Sample,Value,Tagged,Comment; opacity: Backing,Reading,...).
[[nodiscard]] QString toCsv(const ResultsFileImage& image);
[[nodiscard]] QString toCsv(const OpacityFileImage& image);

} // namespace vela::results
