// velactl sysdata: the instrument's system data as the interface window shows it, as JSON.
#include "Command.h"
#include "CmdLinkCommon.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace vela::cli {
namespace {

QJsonObject toJson(const link::SystemData& data)
{
    const link::SystemDataView v = link::viewOf(data);
    QJsonArray words;
    for (const qint16 w : data.words)
        words.append(int(w));
    return {{QStringLiteral("Angle"), v.angle},
            {QStringLiteral("SingleAngleInst"), v.singleAngleInst},
            {QStringLiteral("cbOpacity"), v.opacity},
            {QStringLiteral("NonStats"), v.nonStats},
            {QStringLiteral("BacklightOn"), v.backlightOn},
            {QStringLiteral("Language"), v.language},
            {QStringLiteral("LanguageTag"), v.languageTag},
            {QStringLiteral("CalibrationMode"), v.calibrationMode},
            {QStringLiteral("MinSupplyVoltage"), v.minSupplyVoltage},
            {QStringLiteral("tbInstrumentOnTime"), v.onTime},
            {QStringLiteral("BulbSettingTime"), v.bulbSettlingTime},
            {QStringLiteral("SoakTestSamples"), v.soakTestSamples},
            {QStringLiteral("words"), words}};
}

int sysdata(const QStringList& args)
{
    link::InstrumentLink link;
    QString reason;
    if (!openLinkPort(link, args, reason))
        return fail(reason);
    if (!link.ReadSystemData())
        return fail(QStringLiteral("system data read failed (no reply, or instrument memory busy)"));
    out(QString::fromUtf8(QJsonDocument(toJson(link.System())).toJson(QJsonDocument::Indented)));
    return 0;
}

const Registration kSysdata("sysdata", "sysdata --port DEV [--baud N]   system data as JSON", sysdata);

} // namespace
} // namespace vela::cli
