// velactl res: results files as JSON (dump, make) and their samples as CSV.
#include "Command.h"

#include "results/ResultsFileReader.h"
#include "results/ResultsFileWriter.h"
#include "results/ResultsJson.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonParseError>
#include <cstdio>

namespace vela::cli {
namespace {

using namespace vela::results;

struct Loaded {
    ReadOutcome outcome;
    ResultsFileImage gloss;
    OpacityFileImage opacity;
};

bool load(const QString& path, Loaded* loaded)
{
    loaded->outcome = readResultsFile(path, loaded->gloss, loaded->opacity);
    return loaded->outcome.ok();
}

int dump(const QString& path)
{
    Loaded l;
    if (!load(path, &l))
        return fail(describeReadFailure(l.outcome));
    const QByteArray json = l.outcome.status == ReadStatus::Opacity ? toJsonText(l.opacity)
                                                                    : toJsonText(l.gloss);
    std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    std::fflush(stdout);
    return 0;
}

int csv(const QString& path)
{
    Loaded l;
    if (!load(path, &l))
        return fail(describeReadFailure(l.outcome));
    out(l.outcome.status == ReadStatus::Opacity ? toCsv(l.opacity) : toCsv(l.gloss));
    return 0;
}

int make(const QString& path)
{
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read standard input"));
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(input.readAll(), &parseError);
    if (!doc.isObject())
        return fail(QStringLiteral("standard input is not a JSON object: %1")
                        .arg(parseError.errorString()));
    JsonImage image;
    QString error;
    if (!fromJson(doc.object(), &image, &error))
        return fail(error);
    if (!writeFileAtomically(path, image.bytes()))
        return fail(QStringLiteral("cannot write %1").arg(path));
    return 0;
}

int res(const QStringList& args)
{
    const QStringList words = positional(args);
    if (words.size() != 3)
        return fail(QStringLiteral("usage: velactl res dump|make|csv FILE"), 2);
    const QString& verb = words[1];
    if (verb == QLatin1String("dump"))
        return dump(words[2]);
    if (verb == QLatin1String("make"))
        return make(words[2]);
    if (verb == QLatin1String("csv"))
        return csv(words[2]);
    return fail(QStringLiteral("unknown res command: %1").arg(verb), 2);
}

const Registration kRes("res",
                        "res dump FILE | res make FILE < JSON | res csv FILE  (results files)",
                        res);

} // namespace
} // namespace vela::cli
