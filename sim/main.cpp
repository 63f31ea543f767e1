// vela-sim: the virtual instrument as a program. Serves a pseudo-terminal behind a link such
// as /tmp/vela/COM1 until interrupted; a control FIFO takes run-time commands (faults,
// unplug, memory words ...), one per line.
#include "sim/Scenario.h"
#include "sim/VelaSim.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <csignal>
#include <fcntl.h>
#include <cstdio>
#include <poll.h>
#include <sys/signalfd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const kUsage =
    "usage: vela-sim [--link PATH] [--model NAME] [--scenario FILE] [--baud N] [--no-timing]\n"
    "                [--firmware N] [--transcript FILE] [--control FIFO] [--busy-poll]\n"
    "  --link      symbolic link to the line (default /tmp/vela/COM1)\n"
    "  --model     single20 single45 single45-0 single60 dual triple opacity (default dual)\n"
    "  --baud      line timing rate; 0 follows the rate the client sets (default 0)\n"
    "  --busy-poll poll the line without sleeping, as the instrument's controller does\n"
    "              (exact timing for measurements; keeps one core busy)\n"
    "  --control   FIFO for run-time commands: fault KIND [MN] [count=N] [skip=N] [delay=MS]\n"
    "              [bytes=N] [text=...], clear-faults, unplug [MS], plug, busy on|off,\n"
    "              power on|off, word ADDR VALUE, samples SLOT v,v,..., timing on|off [BAUD],\n"
    "              model NAME, stream gloss|curve|shade ANGLE v,v,...|pac|raw TEXT [delay=MS],\n"
    "              printout SPEC (what \"PR\" prints), quit\n";

QString option(const QStringList& args, const char* name, const QString& def = {})
{
    const qsizetype i = args.indexOf(QLatin1String(name));
    return i >= 0 && i + 1 < args.size() ? args[i + 1] : def;
}

int fail(const QString& reason)
{
    std::fprintf(stderr, "vela-sim: %s\n", reason.toLocal8Bit().constData());
    return 1;
}

bool buildScenario(const QStringList& args, vela::sim::Scenario& sc, vela::sim::SimOptions& options,
                   QString* error)
{
    using namespace vela::sim;
    sc.state = VelaSim::defaultState();
    if (args.contains(QLatin1String("--model"))) {
        Model model{};
        if (!modelFromName(option(args, "--model"), model)) {
            *error = QStringLiteral("unknown model: %1").arg(option(args, "--model"));
            return false;
        }
        applyModel(sc.state, model);
        for (int slot : slotsOf(model))
            storeSamples(sc.state, slot, {52.0f + slot, 52.4f + slot, 51.8f + slot});
    }
    const QString scenario = option(args, "--scenario");
    if (!scenario.isEmpty() && !loadScenario(scenario, sc, error))
        return false;
    if (args.contains(QLatin1String("--firmware")))
        sc.state.firmwareVersion = option(args, "--firmware").toInt();
    options.linkPath = option(args, "--link", QStringLiteral("/tmp/vela/COM1"));
    options.baud = sc.hasBaud ? sc.baud : 0;
    if (args.contains(QLatin1String("--baud")))
        options.baud = option(args, "--baud").toInt();
    options.lineTiming = (sc.hasTiming ? sc.timing : true) && !args.contains(QLatin1String("--no-timing"));
    options.transcriptPath = option(args, "--transcript");
    options.busyPoll = args.contains(QLatin1String("--busy-poll"));
    return true;
}

/// Handles complete lines from the control FIFO; false on "quit".
bool handleControl(vela::sim::VelaSim& sim, QByteArray& pending, int fd)
{
    char buffer[1024];
    ssize_t n = 0;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        pending.append(buffer, qsizetype(n));
    qsizetype eol = 0;
    while ((eol = pending.indexOf('\n')) >= 0) {
        const QString line = QString::fromLatin1(pending.left(eol)).trimmed();
        pending.remove(0, eol + 1);
        if (line.isEmpty())
            continue;
        if (line == QLatin1String("quit"))
            return false;
        QString error;
        if (!vela::sim::applyControl(sim, line, &error))
            std::fprintf(stderr, "vela-sim: %s\n", error.toLocal8Bit().constData());
        else
            std::printf("vela-sim: %s\n", line.toLocal8Bit().constData());
        std::fflush(stdout);
    }
    return true;
}

int openControl(const QString& path)
{
    if (path.isEmpty())
        return -1;
    const QByteArray name = QFile::encodeName(path);
    ::unlink(name.constData());
    if (::mkfifo(name.constData(), 0600) != 0)
        return -1;
    return ::open(name.constData(), O_RDWR | O_NONBLOCK);  // our own writer end: no EOF
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    if (args.contains(QLatin1String("--help")))
        return std::fputs(kUsage, stdout), 0;
    vela::sim::Scenario sc;
    vela::sim::SimOptions options;
    QString error;
    if (!buildScenario(args, sc, options, &error))
        return fail(error);
    vela::sim::VelaSim sim(sc.state);
    for (const auto& rule : sc.faults)
        sim.addFault(rule);
    if (!sim.start(options, &error))
        return fail(error);
    if (!sc.stream.isEmpty())
        sim.sendText(sc.stream, sc.streamDelayMs);
    const QString controlPath = option(args, "--control");
    const int control = openControl(controlPath);
    if (!controlPath.isEmpty() && control < 0)
        return fail(QStringLiteral("cannot create control FIFO %1").arg(controlPath));
    std::printf("vela-sim: %s instrument on %s (%s)\n",
                vela::sim::modelName(sc.state.model).toLatin1().constData(),
                sim.devicePath().toLocal8Bit().constData(), sim.slavePath().toLocal8Bit().constData());
    std::fflush(stdout);

    sigset_t mask;
    sigemptyset(&mask);
    sigaddset(&mask, SIGINT);
    sigaddset(&mask, SIGTERM);
    sigaddset(&mask, SIGHUP);
    sigprocmask(SIG_BLOCK, &mask, nullptr);
    const int signalFd = signalfd(-1, &mask, SFD_CLOEXEC);
    QByteArray pending;
    for (;;) {
        pollfd fds[2] = {{signalFd, POLLIN, 0}, {control, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0)
            continue;
        if (fds[0].revents & POLLIN)
            break;
        if ((fds[1].revents & POLLIN) && !handleControl(sim, pending, control))
            break;
    }
    sim.stop();
    if (control >= 0) {
        ::close(control);
        ::unlink(QFile::encodeName(controlPath).constData());
    }
    return 0;
}
