// Reads a full slot (28 header words, 400 sample words) from vela-sim with line timing at
// 4800 and 115200 baud, and compares the time taken with what the wire allows.
//
// vela-sim runs as a process of its own, as it does beside VelaSoft, so the CPU time measured
// here is the link's alone. It polls its line without sleeping (--busy-poll), as the
// instrument's controller polls its UART: its replies leave exactly on time and the elapsed
// time shows the link's own overhead, not the simulator's wake-up latency.
#include "link/InstrumentLink.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <ctime>
#include <vector>

namespace {

struct Result {
    double elapsedS = 0;
    double wireS = 0;
    double cpuS = 0;
    long long bytes = 0;
};

constexpr int kSampleSlot = 1;
constexpr int kSamples = 200;

/// A scenario with a full sample slot, written into dir.
QString writeScenario(const QString& dir)
{
    QJsonArray samples;
    for (int i = 0; i < kSamples; ++i)
        samples.append(50.0 + double(i % 17) * 0.1);
    const QJsonObject slot{{QStringLiteral("slot"), kSampleSlot}, {QStringLiteral("samples"), samples}};
    const QJsonObject scenario{{QStringLiteral("model"), QStringLiteral("dual")},
                               {QStringLiteral("slots"), QJsonArray{slot}}};
    const QString path = QDir(dir).filePath(QStringLiteral("bench.json"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(scenario).toJson()) < 0)
        return {};
    return path;
}

/// Starts vela-sim on a link in dir and waits for the link to appear.
bool startSimulator(QProcess& sim, const QStringList& args, const QString& link)
{
    sim.setProgram(QStringLiteral(VELA_SIM_EXE));
    sim.setArguments(args);
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start();
    if (!sim.waitForStarted(5000))
        return false;
    for (int i = 0; i < 500 && !QFileInfo::exists(link); ++i)
        QThread::msleep(10);
    return QFileInfo::exists(link);
}

void stopSimulator(QProcess& sim)
{
    sim.terminate();
    if (!sim.waitForFinished(5000))
        sim.kill(), sim.waitForFinished(1000);
}

/// Bytes an escaped transcript text stands for: "\\r", "\\n", "\\\\" and "\\xHH" are one each.
long long escapedLength(const QString& text)
{
    long long n = 0;
    for (qsizetype i = 0; i < text.size(); ++n)
        i += text[i] != QLatin1Char('\\') ? 1 : (i + 1 < text.size() && text[i + 1] == QLatin1Char('x') ? 4 : 2);
    return n;
}

/// Bytes on the line in both directions, from the simulator's transcript (JSON lines).
long long transcriptBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    long long bytes = 0;
    while (!file.atEnd()) {
        const QJsonObject o = QJsonDocument::fromJson(file.readLine()).object();
        for (const char* key : {"rx", "tx"})
            bytes += escapedLength(o.value(QLatin1String(key)).toString());
    }
    return bytes;
}

bool readSlot(int baud, const QString& dir, const QString& scenario, Result& r)
{
    using namespace vela;
    const QString link = QDir(dir).filePath(QStringLiteral("bench-%1").arg(baud));
    const QString transcript = QDir(dir).filePath(QStringLiteral("transcript-%1.jsonl").arg(baud));
    QStringList args{QStringLiteral("--link"), link, QStringLiteral("--scenario"), scenario,
                     QStringLiteral("--transcript"), transcript};
    if (!qEnvironmentVariableIsEmpty("BENCH_NO_TIMING"))
        args << QStringLiteral("--no-timing");
    if (qEnvironmentVariableIsEmpty("BENCH_SLEEPING_SIM"))
        args << QStringLiteral("--busy-poll");
    QProcess sim;
    if (!startSimulator(sim, args, link))
        return false;
    link::InstrumentLink instrument;
    if (!instrument.Comms().OpenDevice(link, baud, false)) {
        stopSimulator(sim);
        return false;
    }
    std::vector<quint16> header(link::mem::kSlotHeaderWords), samples(2 * kSamples);
    QElapsedTimer clock;
    const std::clock_t cpu0 = std::clock();
    clock.start();
    const bool ok =
        instrument.ReadMemoryBlock(link::mem::kSlotHeaders[kSampleSlot], header.data(), int(header.size()))
        && instrument.ReadMemoryBlock(link::mem::kSlotSamples[kSampleSlot], samples.data(), int(samples.size()));
    r.elapsedS = double(clock.nsecsElapsed()) / 1e9;
    r.cpuS = double(std::clock() - cpu0) / CLOCKS_PER_SEC;
    instrument.Comms().Close();
    stopSimulator(sim);
    r.bytes = transcriptBytes(transcript);
    r.wireS = double(r.bytes) * 11.0 / baud;
    return ok && header[0] == kSamples && r.bytes > 0;
}

/// CPU used while a transaction waits for a reply that never comes (time base 500 ms: 1 s).
bool idleWait(const QString& dir, double& cpuFraction)
{
    using namespace vela;
    const QString link = QDir(dir).filePath(QStringLiteral("bench-idle"));
    const QString control = QDir(dir).filePath(QStringLiteral("bench-idle.ctl"));
    QProcess sim;
    if (!startSimulator(sim, {QStringLiteral("--link"), link, QStringLiteral("--control"), control}, link))
        return false;
    for (int i = 0; i < 500 && !QFileInfo::exists(control); ++i)
        QThread::msleep(10);
    QFile fifo(control);
    if (!fifo.open(QIODevice::WriteOnly) || fifo.write("fault no-reply\n") < 0) {
        stopSimulator(sim);
        return false;
    }
    fifo.close();
    QThread::msleep(200);  // the simulator takes the fault in
    link::InstrumentLink instrument;
    if (!instrument.Comms().OpenDevice(link, 115200, false)) {
        stopSimulator(sim);
        return false;
    }
    instrument.SetTimeBase(500);
    QElapsedTimer clock;
    const std::clock_t cpu0 = std::clock();
    clock.start();
    const bool answered = instrument.SendCommand("VV", 0);
    cpuFraction = double(std::clock() - cpu0) / CLOCKS_PER_SEC / (double(clock.nsecsElapsed()) / 1e9);
    instrument.Comms().Close();
    stopSimulator(sim);
    return !answered;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString scenario = writeScenario(dir.path());
    if (!dir.isValid() || scenario.isEmpty()) {
        std::fprintf(stderr, "bench: cannot write the scenario\n");
        return 1;
    }
    double ratio[2] = {0, 0};
    double cpu = 0, elapsed = 0;
    const int rates[2] = {4800, 115200};
    const int only = qEnvironmentVariableIntValue("BENCH_ONLY_BAUD");
    for (int i = 0; i < 2; ++i) {
        if (only && rates[i] != only)
            continue;
        Result r;
        if (!readSlot(rates[i], dir.path(), scenario, r)) {
            std::fprintf(stderr, "bench: slot read at %d baud failed\n", rates[i]);
            return 1;
        }
        ratio[i] = r.wireS / r.elapsedS;
        cpu += r.cpuS;
        elapsed += r.elapsedS;
        std::printf("%6d baud: %lld bytes on the line, elapsed %.3f s, wire limit %.3f s, ratio %.3f, "
                    "process cpu %.3f s (%.1f%% of elapsed)\n",
                    rates[i], r.bytes, r.elapsedS, r.wireS, ratio[i], r.cpuS, 100.0 * r.cpuS / r.elapsedS);
    }
    double idle = 0;
    if (idleWait(dir.path(), idle))
        std::printf("waiting 1 s for a reply that never comes: cpu %.2f%% of the wait\n", 100.0 * idle);
    else
        std::printf("waiting for a reply that never comes: not measured (the simulator did not start)\n");
    std::printf("wire_ratio_4800=%.3f wire_ratio_115200=%.3f cpu_fraction=%.3f\n", ratio[0], ratio[1],
                elapsed > 0 ? cpu / elapsed : 0.0);
    return 0;
}
