#pragma once
// Shared by the instrument commands of velactl: open the port that --port and --baud name.
#include "Command.h"
#include "link/InstrumentLink.h"

namespace vela::cli {

/// Opens --port DEV (a device path or COM1..COM8) at --baud N (default 4800) and applies
/// --timebase MS when given. False with a one-line reason.
inline bool openLinkPort(link::InstrumentLink& link, const QStringList& args, QString& reason)
{
    const QString port = option(args, QStringLiteral("--port"));
    if (port.isEmpty()) {
        reason = QStringLiteral("--port DEV is required");
        return false;
    }
    bool ok = false;
    const int baud = option(args, QStringLiteral("--baud"), QStringLiteral("4800")).toInt(&ok);
    if (!ok || baud <= 0) {
        reason = QStringLiteral("bad --baud value");
        return false;
    }
    const QString timeBase = option(args, QStringLiteral("--timebase"));
    if (!timeBase.isEmpty())
        link.SetTimeBase(std::max(1, timeBase.toInt()));
    if (!link.Comms().OpenByName(port, baud, false) || !link.Comms().IsOpen()) {
        reason = QStringLiteral("cannot open %1").arg(port);
        return false;
    }
    return true;
}

} // namespace vela::cli
