#include "charts/ResultsCsv.h"

#include "platform/Ansi.h"

#include <QSaveFile>

namespace vela::charts {

QByteArray resultsCsvHeading(const QString& xUnits, const QString& yUnits)
{
    QByteArray out = ",,Description,X units, Y unints\r";
    out += ",,Description," + platform::toAnsi(xUnits) + ',' + platform::toAnsi(yUnits) + '\r';
    return out;
}

QByteArray resultsCsvRows(const float* values, int count)
{
    QByteArray out;
    if (!values)
        return out;
    for (int i = 0; i < count; ++i)
        out += QByteArray::number(i + 1) + ','
            + QString::asprintf("%3.3lf", double(values[i])).toLatin1() + '\r';
    return out;
}

QByteArray resultsCsv(const QString& xUnits, const QString& yUnits, const float* values,
                      int count)
{
    return resultsCsvHeading(xUnits, yUnits) + resultsCsvRows(values, count);
}

bool writeResultsCsv(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty())
        return false;
    // Written beside the target and renamed, so a failed export never leaves a cut file.
    QSaveFile file(path);
    file.setDirectWriteFallback(true);  // a writable file in a read-only folder
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace vela::charts
