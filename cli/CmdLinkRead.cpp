// velactl read: instrument memory words, one a line as four lowercase hex digits.
#include "Command.h"
#include "CmdLinkCommon.h"

namespace vela::cli {
namespace {

int readWords(const QStringList& args)
{
    bool ok = false;
    const int address = option(args, QStringLiteral("--addr")).toInt(&ok, 0);
    if (!ok || address < 0 || address > 0xFFFF)
        return fail(QStringLiteral("--addr A is required (decimal or 0x hex, 0..65535)"));
    const int words = option(args, QStringLiteral("--words"), QStringLiteral("1")).toInt(&ok, 0);
    if (!ok || words < 1)
        return fail(QStringLiteral("bad --words value"));
    link::InstrumentLink link;
    QString reason;
    if (!openLinkPort(link, args, reason))
        return fail(reason);
    for (int i = 0; i < words; ++i) {
        quint32 value = 0;
        const int at = address + 2 * i;
        if (!link.SendCommand(link::cmd::kReadEeprom, at, &value))
            return fail(QStringLiteral("no reply to RE at address %1").arg(at));
        out(QStringLiteral("%1\n").arg(value & 0xFFFF, 4, 16, QLatin1Char('0')));
    }
    return 0;
}

const Registration kRead("read", "read --port DEV --addr A [--words N] [--baud N]   memory words", readWords);

} // namespace
} // namespace vela::cli
