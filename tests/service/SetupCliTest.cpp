// velactl setup read and write through the real program against two virtual instruments.
#include "SetupSimFixture.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {

struct CliRun {
    int code = -1;
    QByteArray out, err;
};

CliRun velactl(const QStringList& args, const QByteArray& input = {})
{
    QProcess p;
    p.start(QStringLiteral(VELACTL_PATH), args);
    p.waitForStarted();
    p.write(input);
    p.closeWriteChannel();
    // The instruments answer from this process's threads, so wait without blocking them.
    p.waitForFinished(30000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

QStringList portArgs(const QString& verb, vela::sim::VelaSim& sim)
{
    return {QStringLiteral("setup"), verb, QStringLiteral("--port"), sim.devicePath(),
            QStringLiteral("--timebase"), QStringLiteral("100")};
}

class SetupCli : public vela::test::SetupSimFixture {};

} // namespace

TEST_F(SetupCli, ReadThenWriteClonesTheConfiguration)
{
    m_link.reset();   // velactl opens the line itself
    auto second = startSim(vela::sim::VelaSim::defaultState());
    const CliRun readA = velactl(portArgs(QStringLiteral("read"), *m_sim));
    ASSERT_EQ(readA.code, 0) << readA.err.toStdString();
    const QJsonObject a = QJsonDocument::fromJson(readA.out).object();
    EXPECT_EQ(a.value(QLatin1String("model")).toString(), "triple");
    EXPECT_EQ(a.value(QLatin1String("serial")).toString(), "KN0805123412");

    const CliRun before = velactl(portArgs(QStringLiteral("read"), *second));
    ASSERT_EQ(before.code, 0);
    EXPECT_NE(QJsonDocument::fromJson(before.out).object(), a);

    QStringList write = portArgs(QStringLiteral("write"), *second);
    const CliRun written = velactl(write, readA.out);
    ASSERT_EQ(written.code, 0) << written.err.toStdString();
    const CliRun readB = velactl(portArgs(QStringLiteral("read"), *second));
    ASSERT_EQ(readB.code, 0);
    QJsonObject b = QJsonDocument::fromJson(readB.out).object();
    QJsonObject expected = a;
    // The firmware and the divide-by-10 range are the instrument's own (no command writes
    // them); the serial number is written only when asked.
    for (const char* key : {"firmware", "divideBy10Range", "serial"}) {
        expected.remove(QLatin1String(key));
        b.remove(QLatin1String(key));
    }
    EXPECT_EQ(QJsonDocument(b).toJson(), QJsonDocument(expected).toJson());
    EXPECT_EQ(second->state().word(2040), m_sim->state().word(2040));

    write << QStringLiteral("--with-serial");
    ASSERT_EQ(velactl(write, readA.out).code, 0);
    EXPECT_EQ(second->state().word(2046), 0x4708);
}

TEST_F(SetupCli, BadInputWritesNothing)
{
    m_link.reset();
    const QByteArray inputs[] = {
        "not json", R"({"targets":{"gloss20":"8x"}})", R"({"mirrorCorrections":{"angle20":40}})",
        R"({"onTime":10})", R"({"model":"quad"})", R"({"bulbSettlingTime":""})"};
    for (const QByteArray& input : inputs) {
        m_sim->clearTranscript();
        const CliRun r = velactl(portArgs(QStringLiteral("write"), *m_sim), input);
        EXPECT_NE(r.code, 0) << input.toStdString();
        EXPECT_FALSE(r.err.isEmpty());
        EXPECT_TRUE(m_sim->transcript().empty()) << input.toStdString();
    }
    QStringList serial = portArgs(QStringLiteral("write"), *m_sim);
    serial << QStringLiteral("--with-serial");
    const CliRun r = velactl(serial, R"({"serial":"KX0805123412"})");
    EXPECT_NE(r.code, 0);
    EXPECT_TRUE(m_sim->transcript().empty());
}

TEST_F(SetupCli, RefusedStepIsReportedWithItsMessage)
{
    m_link.reset();
    refuse("VV");
    CliRun r = velactl(portArgs(QStringLiteral("read"), *m_sim));
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("Vela-DuzirIriz Firmware Version read failure.")) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    refuse("OT");
    r = velactl(portArgs(QStringLiteral("write"), *m_sim), "{}");
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("Vela-Gloss not set-up.")) << r.err.toStdString();
    EXPECT_FALSE(r.out.contains("completed"));
}
