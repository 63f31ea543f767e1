#include "results/ResultsFileImage.h"

#include <QLocale>

namespace vela::results {

QString dateTimeText(const QDateTime& when)
{
    // The system's short date and a long (seconds) time, as the files have always held.
    return QLocale::system().toString(when.date(), QLocale::ShortFormat) + QLatin1Char(' ')
           + when.time().toString(QStringLiteral("HH:mm:ss"));
}

ResultsFileImage defaultResultsImage(const QDateTime& startTime)
{
    ResultsFileImage image;
    ResultsRecord& r = image.record;
    r.setSheet(QStringLiteral("Default Analysis Sheet"));
    r.setAngle(QStringLiteral("60\u00B0"));
    r.setInstrument(QStringLiteral("Vela-DuzirIriz"));
    r.setDate(dateTimeText(startTime));
    r.maxGloss = 2000.0f;
    r.stdDev = 1.0f;
    r.cvRatio = 1.0f;
    return image;
}

OpacityFileImage defaultOpacityImage(const QDateTime& startTime)
{
    OpacityFileImage image;
    OpacityRecord& r = image.record;
    r.setSheet(QStringLiteral("Default Opacity Sheet"));
    r.setAngle(QStringLiteral("45/0\u00B0"));
    r.setInstrument(QStringLiteral("Vela-Pac"));
    r.setDate(dateTimeText(startTime));
    return image;
}

} // namespace vela::results
