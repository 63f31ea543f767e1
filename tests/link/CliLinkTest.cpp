// velactl probe / read / sysdata against vela-sim, as a script would run them.
#include "TestSupport.h"
#include "sim/VelaSim.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {

struct CliRun {
    int code = -1;
    QString out, err;
};

CliRun velactl(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(VELACTL_PATH), args);
    CliRun r;
    if (!p.waitForFinished(30000))
        return r;
    r.code = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

class CliLinkTest : public vela::test::DialogsFixture {
protected:
    void SetUp() override
    {
        DialogsFixture::SetUp();
        vela::sim::InstrumentState s = vela::sim::VelaSim::defaultState();
        const quint16 words[10] = {3, 0, 1, 0x0090, 2, 1, 0, 0, 60, 200};
        for (int i = 0; i < 10; ++i)
            s.setWord(2 * i, words[i]);
        s.setFloat(12, 5.5f);
        m_sim = std::make_unique<vela::sim::VelaSim>(s);
        vela::sim::SimOptions options;
        options.linkPath = tempPath(QStringLiteral("cli-%1").arg(QCoreApplication::applicationPid()));
        ASSERT_TRUE(m_sim->start(options));
        m_port = m_sim->devicePath();
    }
    std::unique_ptr<vela::sim::VelaSim> m_sim;
    QString m_port;
};

TEST_F(CliLinkTest, ProbeReadAndSysdata)
{
    CliRun r = velactl({QStringLiteral("probe"), QStringLiteral("--port"), m_port, QStringLiteral("--baud"),
                     QStringLiteral("115200")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("3.25\n"));

    r = velactl({QStringLiteral("read"), QStringLiteral("--port"), m_port, QStringLiteral("--addr"),
                 QStringLiteral("0x7f8"), QStringLiteral("--words"), QStringLiteral("3"),
                 QStringLiteral("--baud"), QStringLiteral("115200")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("ffff\n1234\n0512\n"));

    r = velactl({QStringLiteral("sysdata"), QStringLiteral("--port"), m_port, QStringLiteral("--baud"),
                 QStringLiteral("115200")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_EQ(o.value(QStringLiteral("Angle")).toString(), QStringLiteral("60°"));
    EXPECT_EQ(o.value(QStringLiteral("Language")).toString(), QStringLiteral("Spanish"));
    EXPECT_EQ(o.value(QStringLiteral("LanguageTag")).toInt(), 2);
    EXPECT_EQ(o.value(QStringLiteral("CalibrationMode")).toString(), QStringLiteral("Auto Cal"));
    EXPECT_EQ(o.value(QStringLiteral("MinSupplyVoltage")).toString(), QStringLiteral("5.50"));
    EXPECT_TRUE(o.value(QStringLiteral("NonStats")).toBool());
    EXPECT_FALSE(o.value(QStringLiteral("BacklightOn")).toBool());
}

TEST_F(CliLinkTest, FailuresGiveOneLineAndNonZeroExit)
{
    const QStringList cases[] = {
        {QStringLiteral("probe")},
        {QStringLiteral("probe"), QStringLiteral("--port"), tempPath(QStringLiteral("nothing-here"))},
        {QStringLiteral("read"), QStringLiteral("--port"), m_port},
        {QStringLiteral("read"), QStringLiteral("--port"), m_port, QStringLiteral("--addr"), QStringLiteral("zz")},
        {QStringLiteral("probe"), QStringLiteral("--port"), m_port, QStringLiteral("--baud"), QStringLiteral("fast")},
    };
    for (const QStringList& args : cases) {
        const CliRun r = velactl(args);
        EXPECT_NE(r.code, 0) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    vela::sim::FaultRule silent;
    silent.kind = vela::sim::FaultKind::NoReply;
    m_sim->addFault(silent);
    const CliRun r = velactl({QStringLiteral("read"), QStringLiteral("--port"), m_port, QStringLiteral("--addr"),
                           QStringLiteral("0"), QStringLiteral("--timebase"), QStringLiteral("50")});
    EXPECT_NE(r.code, 0);
    EXPECT_TRUE(r.err.contains(QStringLiteral("no reply"))) << r.err.toStdString();
}

} // namespace
