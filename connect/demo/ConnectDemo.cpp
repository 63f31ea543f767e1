// A demo launcher: vela-sim in-process as the chosen model and the Connect window connected
// to it, for looking at the window. Usage: connect-demo [MODEL] [--no-connect]
#include "connect/TConnect.h"

#include "link/InstrumentLink.h"
#include "platform/QtDialogs.h"
#include "results/TfrmResultsIO.h"
#include "sim/VelaSim.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    vela::sim::Model model = vela::sim::Model::Dual;
    if (args.size() > 1 && !vela::sim::modelFromName(args[1], model)) {
        std::fprintf(stderr, "usage: connect-demo [single20|single45|single45-0|single60|dual|triple|opacity]\n");
        return 2;
    }
    QTemporaryDir work;
    qputenv("VELA_SETTINGS_DIR", QFile::encodeName(work.path()));
    vela::sim::InstrumentState state;
    vela::sim::applyModel(state, model);
    for (int slot : vela::sim::slotsOf(model))
        vela::sim::storeSamples(state, slot, {52.0f + slot, 52.4f + slot, 51.8f + slot});
    vela::sim::VelaSim sim(state);
    vela::sim::SimOptions options;
    options.linkPath = work.filePath(QStringLiteral("COM1"));
    options.lineTiming = false;
    QString error;
    if (!sim.start(options, &error)) {
        std::fprintf(stderr, "connect-demo: %s\n", qPrintable(error));
        return 1;
    }
    vela::platform::setDialogs(std::make_unique<vela::platform::QtDialogs>());
    vela::results::ensureResultsIO();
    vela::link::instrumentLink().Timings().probeTimeBase = 200;
    Connect = new vela::connect::TConnect();
    Connect->session().setDevicePath(sim.devicePath());
    Connect->ShowConnect(work.path(), 1);
    if (!args.contains(QStringLiteral("--no-connect")))
        QTimer::singleShot(300, [] { Connect->btConnectClick(); });
    const int rc = app.exec();
    delete Connect;
    return rc;
}
