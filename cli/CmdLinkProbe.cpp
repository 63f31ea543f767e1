// velactl probe: is an instrument on the line, and which firmware does it run.
#include "Command.h"
#include "CmdLinkCommon.h"

namespace vela::cli {
namespace {

int probe(const QStringList& args)
{
    link::InstrumentLink link;
    QString reason;
    if (!openLinkPort(link, args, reason))
        return fail(reason);
    quint32 version = 0;
    if (!link.ProbeInstrument(&version))
        return fail(QStringLiteral("no answer to the presence probe on %1").arg(option(args, QStringLiteral("--port"))));
    out(QStringLiteral("%1.%2\n").arg(version / 100).arg(version % 100, 2, 10, QLatin1Char('0')));
    return 0;
}

const Registration kProbe("probe", "probe --port DEV [--baud N]   firmware version of the instrument", probe);

} // namespace
} // namespace vela::cli
