// velactl identify / upload / listen: the connect session of the Connect window, without it.
#include "Command.h"
#include "CmdLinkCommon.h"

#include "connect/ConnectSession.h"
#include "connect/StandalonePreferences.h"
#include "results/TfrmResultsIO.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace vela::cli {
namespace {

/// @brief A session on --port DEV with fixed preferences; results under --out DIR.
struct CliSession {
    link::InstrumentLink link;
    connect::ConnectSession session{&link};

    bool open(const QStringList& args, connect::InstrumentType type, QString& reason)
    {
        if (!openLinkPort(link, args, reason))
            return false;
        connect::StandaloneChoices choices;
        choices.type = type;
        session.setPreferences(connect::standalonePreferences(link, choices));
        session.setDevicePath(option(args, QStringLiteral("--port")));
        const QString out = option(args, QStringLiteral("--out"), QDir::currentPath());
        QDir().mkpath(out);
        session.setProgramDirectory(out);
        QString stem = option(args, QStringLiteral("--stem"));
        // Without a stem every save gets a name of its own, numbered like the stem's files.
        if (stem.isEmpty())
            stem = QStringLiteral("Upload-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
        session.setSaveStem(stem);
        results::ensureResultsIO();
        return true;
    }

    bool connectAt(bool highSpeed, QString& reason)
    {
        if (session.ConnectInstrument(highSpeed, 0))
            return true;
        reason = session.lastMessage().isEmpty() ? session.view().status : session.lastMessage();
        return false;
    }
};

bool highSpeedOf(const QStringList& args)
{
    return option(args, QStringLiteral("--baud")).toInt() == link::kBaudHighSpeed;
}

int identify(const QStringList& args)
{
    CliSession c;
    QString reason;
    if (!c.open(args, connect::InstrumentType::VelaDuzirIriz, reason) || !c.connectAt(highSpeedOf(args), reason))
        return fail(reason);
    const connect::InstrumentIdentity& id = *c.session.identity();
    const connect::ConnectView& v = c.session.view();
    QJsonArray angles;
    for (int s = 0; s < 3; ++s)
        if (v.uploadEnabled[size_t(s)])
            angles.append(connect::kAngles[s]);
    const QJsonObject o{{QStringLiteral("firmware"), v.firmware},
                        {QStringLiteral("serial"), v.serial},
                        {QStringLiteral("configWord"), QStringLiteral("%1").arg(id.configWord, 4, 16, QLatin1Char('0'))},
                        {QStringLiteral("model"), connect::modelKey(id.model)},
                        {QStringLiteral("memoryBase"), id.memoryBase},
                        {QStringLiteral("angle"), v.angle},
                        {QStringLiteral("language"), v.language},
                        {QStringLiteral("calibrationMode"), v.calibrationMode},
                        {QStringLiteral("uploadAngles"), angles}};
    out(QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Indented)));
    return 0;
}

int upload(const QStringList& args)
{
    const int angle = option(args, QStringLiteral("--angle")).toInt();
    const int slot = angle == 20 ? 0 : angle == 60 ? 1 : angle == 85 ? 2 : -1;
    if (slot < 0)
        return fail(QStringLiteral("--angle must be 20, 60 or 85"));
    CliSession c;
    QString reason;
    if (!c.open(args, connect::InstrumentType::VelaDuzirIriz, reason) || !c.connectAt(highSpeedOf(args), reason))
        return fail(reason);
    if (!c.session.view().uploadEnabled[size_t(slot)])
        return fail(QStringLiteral("the instrument has no %1 degree upload").arg(angle));
    if (!c.session.ConnectInstrument(highSpeedOf(args), angle))
        return fail(c.session.lastMessage().isEmpty() ? c.session.view().status : c.session.lastMessage());
    if (c.session.savedFiles().isEmpty())
        return fail(c.session.view().status);
    out(c.session.savedFiles().last() + QLatin1Char('\n'));
    return 0;
}

int listen(const QStringList& args)
{
    const QString t = option(args, QStringLiteral("--type"));
    const connect::InstrumentType type = t == QLatin1String("gloss") ? connect::InstrumentType::VelaGloss
                                         : t == QLatin1String("curve") ? connect::InstrumentType::VelaCurve
                                         : connect::InstrumentType::VelaPac;
    if (t != QLatin1String("gloss") && t != QLatin1String("curve") && t != QLatin1String("pac"))
        return fail(QStringLiteral("--type must be gloss, curve or pac"));
    CliSession c;
    QString reason;
    if (!c.open(args, type, reason) || !c.connectAt(false, reason))
        return fail(reason);
    const int timeoutMs = option(args, QStringLiteral("--timeout"), QStringLiteral("120")).toInt() * 1000;
    QElapsedTimer clock;
    clock.start();
    while (c.session.listening() && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    if (c.session.listening())
        return fail(QStringLiteral("no complete stream within the time-out"));
    for (const QString& f : c.session.savedFiles())
        out(f + QLatin1Char('\n'));
    if (c.session.savedFiles().isEmpty())
        return fail(QStringLiteral("the stream came but no results were saved (%1)").arg(c.session.view().status));
    return 0;
}

const Registration kIdentify("identify", "identify --port DEV [--baud N]   model, firmware, serial (JSON)", identify);
const Registration kUpload("upload", "upload --port DEV --angle 20|60|85 --out DIR [--stem NAME] [--baud N]", upload);
const Registration kListen("listen",
                           "listen --port DEV --type gloss|curve|pac --out DIR [--stem NAME] [--timeout S]", listen);

} // namespace
} // namespace vela::cli
