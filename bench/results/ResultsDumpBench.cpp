// Dumps a folder of 1,000 results files (full gloss files, opacity batches and legacy files)
// to JSON, as velactl res dump does for each, and reports the time taken.
//   bench_results_dump [FOLDER]   (without a folder, one is made and filled in /tmp)
#include "results/ResultsFileReader.h"
#include "results/ResultsFileWriter.h"
#include "results/ResultsJson.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>

using namespace vela::results;

namespace {

constexpr int kFiles = 1000;

QByteArray glossFile(int seed)
{
    ResultsFileImage image;
    ResultsRecord& r = image.record;
    r.instrumentCode = 60;
    r.setSheet(QStringLiteral("Default Analysis Sheet"));
    r.setAngle(QStringLiteral("60 \u00B0"));
    r.setInstrument(QStringLiteral("Vela-Gloss"));
    r.setDate(QStringLiteral("9/12/2026 10:00:00"));
    r.sampleCount = kMaxSamples;
    for (int i = 0; i < kMaxSamples; ++i) {
        r.values[i] = 80.0f + float((i * 37 + seed) % 200) / 10.0f;
        r.tags[i] = (i + seed) % 17 == 0;
        r.setComment(i, QStringLiteral("sample %1 of panel %2").arg(i).arg(seed));
    }
    image.trailer.setBase(QStringLiteral("Panel%1").arg(seed, 4, 10, QLatin1Char('0')));
    return imageBytes(image);
}

QByteArray opacityFile(int seed)
{
    OpacityFileImage image;
    OpacityRecord& r = image.record;
    r.instrumentCode = 8;
    r.batchNumber = seed;
    r.blackCount = r.whiteCount = kMaxReadings;
    for (int i = 0; i < kMaxReadings; ++i) {
        r.black[i] = float(i + seed);
        r.white[i] = float(i * 2 + seed);
    }
    return imageBytes(image);
}

QByteArray legacyFile(int seed)
{
    LegacyResultsRecord legacy;
    legacy.angleCode = 85.0f;
    legacy.sampleNumber = 1000.0f;
    for (int i = 0; i < 1000; ++i)
        legacy.values[i] = float(i + seed);
    return QByteArray(reinterpret_cast<const char*>(&legacy), sizeof legacy);
}

bool fill(const QString& folder)
{
    for (int i = 0; i < kFiles; ++i) {
        const QByteArray bytes = i % 10 == 8 ? opacityFile(i) : i % 10 == 9 ? legacyFile(i)
                                                                           : glossFile(i);
        const QString path = folder + QStringLiteral("/File%1.res").arg(i, 4, 10, QLatin1Char('0'));
        if (!writeFileAtomically(path, bytes))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir temp;
    QString folder = app.arguments().value(1);
    if (folder.isEmpty()) {
        folder = temp.path();
        if (!fill(folder)) {
            std::fprintf(stderr, "cannot fill %s\n", qPrintable(folder));
            return 1;
        }
    }
    const QStringList files = QDir(folder).entryList({QStringLiteral("*.res")}, QDir::Files,
                                                     QDir::Name);
    QElapsedTimer timer;
    timer.start();
    qint64 jsonBytes = 0;
    int failed = 0;
    for (const QString& name : files) {
        ResultsFileImage gloss;
        OpacityFileImage opacity;
        const ReadOutcome o = readResultsFile(folder + u'/' + name, gloss, opacity);
        if (!o.ok()) {
            ++failed;
            continue;
        }
        jsonBytes += (o.status == ReadStatus::Opacity ? toJsonText(opacity) : toJsonText(gloss))
                         .size();
    }
    const qint64 ms = timer.elapsed();
    std::printf("dumped %lld files (%d refused) to %.1f MB of JSON in %lld ms\n",
                static_cast<long long>(files.size()), failed, double(jsonBytes) / 1e6,
                static_cast<long long>(ms));
    return failed == 0 ? 0 : 1;
}
