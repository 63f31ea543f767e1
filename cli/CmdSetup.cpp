// velactl setup read|write: back up an instrument's configuration as JSON and write it to
// another instrument (the set-up window's read and write, without the window).
#include "Command.h"
#include "CmdLinkCommon.h"
#include "service/InstrumentSetup.h"
#include "service/SetupJson.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace vela::cli {
namespace {

/// Every message of a failed operation goes to standard error, in order.
int failWith(const service::Outcome& outcome, const QString& fallback)
{
    for (const service::SetupMessage& m : outcome.messages)
        std::fprintf(stderr, "velactl: %s\n", m.text.toUtf8().constData());
    return outcome.messages.isEmpty() ? fail(fallback) : 1;
}

int readSetup(const QStringList& args)
{
    link::InstrumentLink link;
    QString reason;
    if (!openLinkPort(link, args, reason))
        return fail(reason);
    service::InstrumentSetup setup(&link);
    setup.setFollowMemoryBase(true);
    service::SetupValues values;
    const service::Outcome outcome = setup.ReadSetup(values);
    if (!outcome.ok)
        return failWith(outcome, QStringLiteral("set-up read failed"));
    out(QString::fromUtf8(QJsonDocument(service::setupToJson(values)).toJson(QJsonDocument::Indented)));
    return 0;
}

bool readJson(service::SetupValues& values, QString& reason)
{
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly)) {
        reason = QStringLiteral("cannot read standard input");
        return false;
    }
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(in.readAll(), &error);
    if (!doc.isObject()) {
        reason = QStringLiteral("standard input is not a JSON object: %1").arg(error.errorString());
        return false;
    }
    return service::setupFromJson(doc.object(), values, &reason);
}

int writeSetup(const QStringList& args)
{
    // Everything is checked before the port is touched: a bad file writes nothing.
    service::SetupValues values;
    QString reason;
    if (!readJson(values, reason))
        return fail(reason);
    if (const QString refusal = service::InstrumentSetup::ValidateSetup(values); !refusal.isEmpty())
        return fail(refusal);
    const bool withSerial = hasFlag(args, QStringLiteral("--with-serial"));
    service::SerialWords serial;
    if (withSerial && !service::parseSerialText(values.serialText, serial, &reason))
        return fail(reason);

    link::InstrumentLink link;
    if (!openLinkPort(link, args, reason))
        return fail(reason);
    service::InstrumentSetup setup(&link);
    service::Outcome outcome = setup.WriteSetup(values);
    if (!outcome.ok)
        return failWith(outcome, QStringLiteral("Vela-Gloss not set-up."));
    if (!hasFlag(args, QStringLiteral("--no-pots"))) {
        for (const bool reference : {false, true}) {
            outcome = setup.SetPot(reference, reference ? values.refPot : values.signalPot);
            if (!outcome.ok)
                return failWith(outcome, QStringLiteral("pot level not set"));
        }
    }
    if (withSerial) {
        outcome = setup.WriteSerialNumber(values.serialText, values);
        if (!outcome.ok)
            return failWith(outcome, QStringLiteral("Vela-DuzirIriz Serial Number upload failure."));
    }
    out(QStringLiteral("Set-up completed.\n"));
    return 0;
}

int setupCommand(const QStringList& args)
{
    // The verb follows the command word (the flags take no value, so positional() cannot tell).
    const QString verb = args.value(1);
    if (verb == QLatin1String("read"))
        return readSetup(args);
    if (verb == QLatin1String("write"))
        return writeSetup(args);
    return fail(QStringLiteral("usage: velactl setup read|write --port DEV [--baud N] [--timebase MS] "
                               "[--with-serial] [--no-pots]"));
}

const Registration kSetup(
    "setup",
    "setup read|write --port DEV [--baud N] [--with-serial] [--no-pots]   instrument configuration "
    "as JSON (write takes it on standard input)",
    setupCommand);

} // namespace
} // namespace vela::cli
