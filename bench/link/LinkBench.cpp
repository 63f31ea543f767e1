// Reads a full slot (28 header words, 400 sample words) from vela-sim with line timing at
// 4800 and 115200 baud, and compares the time taken with what the wire allows.
#include "link/InstrumentLink.h"
#include "sim/VelaSim.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>
#include <vector>
#ifdef __linux__
#include <pthread.h>
#include <sched.h>
#endif

namespace {

struct Result {
    double elapsedS = 0;
    double wireS = 0;
    double cpuS = 0;      ///< whole process: the link and the in-process simulator
    double linkCpuS = 0;  ///< the reading thread alone
    long long bytes = 0;
};

/// CPU time of the calling thread (the link's), where the platform tells it.
double threadCpuSeconds()
{
#ifdef __linux__
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
#else
    return 0;
#endif
}

/// Starts the simulator's line thread with real-time priority where allowed: the instrument's
/// timing is the hardware's and must not suffer from other load on the machine. The reading
/// side keeps normal priority. Returns whether it was granted.
bool startSimulator(vela::sim::VelaSim& sim, const vela::sim::SimOptions& options, bool& realtime)
{
    realtime = false;
#ifdef __linux__
    sched_param rt{};
    rt.sched_priority = 10;
    sched_param normal{};
    int policy = SCHED_OTHER;
    pthread_getschedparam(pthread_self(), &policy, &normal);
    realtime = qEnvironmentVariableIsEmpty("BENCH_NO_RT")
               && pthread_setschedparam(pthread_self(), SCHED_FIFO, &rt) == 0;
    const bool ok = sim.start(options);  // the line thread inherits the policy
    if (realtime)
        pthread_setschedparam(pthread_self(), policy, &normal);
    return ok;
#else
    return sim.start(options);
#endif
}

bool readSlot(int baud, const QString& dir, Result& r, bool& realtime)
{
    using namespace vela;
    sim::InstrumentState state = sim::VelaSim::defaultState();
    std::vector<float> values(200);
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = 50.0f + float(i % 17) * 0.1f;
    sim::storeSamples(state, 1, values);
    sim::VelaSim sim(state);
    sim::SimOptions options;
    options.linkPath = QDir(dir).filePath(QStringLiteral("bench-%1").arg(baud));
    options.lineTiming = qEnvironmentVariableIsEmpty("BENCH_NO_TIMING");  // at the rate the client sets
    if (!startSimulator(sim, options, realtime))
        return false;
    link::InstrumentLink link;
    if (!link.Comms().OpenDevice(sim.devicePath(), baud, false))
        return false;
    std::vector<quint16> header(link::mem::kSlotHeaderWords), samples(400);
    QElapsedTimer clock;
    const std::clock_t cpu0 = std::clock();
    const double thread0 = threadCpuSeconds();
    clock.start();
    const bool ok = link.ReadMemoryBlock(link::mem::kSlotHeaders[1], header.data(), int(header.size()))
                    && link.ReadMemoryBlock(link::mem::kSlotSamples[1], samples.data(), int(samples.size()));
    r.elapsedS = double(clock.nsecsElapsed()) / 1e9;
    r.cpuS = double(std::clock() - cpu0) / CLOCKS_PER_SEC;
    r.linkCpuS = threadCpuSeconds() - thread0;
    for (const sim::Exchange& e : sim.transcript())
        r.bytes += e.received.size() + e.sent.size();
    r.wireS = double(r.bytes) * 11.0 / baud;
    sim.stop();
    return ok && header[0] == 200;
}

/// CPU used while a transaction waits for a reply that never comes (time base 500 ms: 1 s).
bool idleWait(const QString& dir, double& cpuFraction)
{
    using namespace vela;
    sim::VelaSim sim;
    sim::SimOptions options;
    options.linkPath = QDir(dir).filePath(QStringLiteral("bench-idle"));
    if (!sim.start(options))
        return false;
    sim::FaultRule silent;
    silent.kind = sim::FaultKind::NoReply;
    sim.addFault(silent);
    link::InstrumentLink link;
    if (!link.Comms().OpenDevice(sim.devicePath(), 115200, false))
        return false;
    link.SetTimeBase(500);
    QElapsedTimer clock;
    const std::clock_t cpu0 = std::clock();
    clock.start();
    const bool answered = link.SendCommand("VV", 0);
    cpuFraction = double(std::clock() - cpu0) / CLOCKS_PER_SEC / (double(clock.nsecsElapsed()) / 1e9);
    return !answered;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    double ratio[2] = {0, 0};
    double cpu = 0, elapsed = 0;
    const int rates[2] = {4800, 115200};
    const int only = qEnvironmentVariableIntValue("BENCH_ONLY_BAUD");
    for (int i = 0; i < 2; ++i) {
        if (only && rates[i] != only)
            continue;
        Result r;
        bool realtime = false;
        if (!readSlot(rates[i], dir.path(), r, realtime)) {
            std::fprintf(stderr, "bench: slot read at %d baud failed\n", rates[i]);
            return 1;
        }
        ratio[i] = r.wireS / r.elapsedS;
        cpu += r.cpuS;
        elapsed += r.elapsedS;
        std::printf("%6d baud: %lld bytes on the line, elapsed %.3f s, wire limit %.3f s, ratio %.3f, "
                    "process cpu %.3f s (%.1f%% of elapsed; the link's thread %.3f s)%s\n",
                    rates[i], r.bytes, r.elapsedS, r.wireS, ratio[i], r.cpuS, 100.0 * r.cpuS / r.elapsedS,
                    r.linkCpuS, realtime ? ", simulator line thread real-time" : "");
    }
    double idle = 0;
    if (idleWait(dir.path(), idle))
        std::printf("waiting 1 s for a reply that never comes: cpu %.2f%% of the wait\n", 100.0 * idle);
    std::printf("wire_ratio_4800=%.3f wire_ratio_115200=%.3f cpu_fraction=%.3f\n", ratio[0], ratio[1],
                cpu / elapsed);
    return 0;
}
