// A small launcher: a virtual instrument in-process, the set-up window and the preferences
// dialog on it, and a set-up read run through the preferences as the connect routine would.
//   vela-setup-demo [setup|prefs|both] [--port DEV]
#include "SetupSimFixture.h"
#include "platform/QtDialogs.h"
#include "service/TPreferences.h"
#include "service/TVelaLiteSetup.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    vela::platform::setDialogs(std::make_unique<vela::platform::QtDialogs>());
    const QStringList args = app.arguments();
    const QString show = args.value(1, QStringLiteral("both"));
    const qsizetype portAt = args.indexOf(QStringLiteral("--port"));

    std::unique_ptr<vela::sim::VelaSim> sim;
    QString device = portAt > 0 ? args.value(portAt + 1) : QString();
    if (device.isEmpty()) {
        sim = std::make_unique<vela::sim::VelaSim>(vela::test::configuredTriple());
        vela::sim::SimOptions options;
        options.lineTiming = false;
        if (!sim->start(options))
            return 1;
        device = sim->devicePath();
    }
    auto& link = vela::link::instrumentLink();
    link.SetTimeBase(500);
    if (!link.Comms().OpenDevice(device, 115200, false))
        return 2;
    link.SetMemoryBase(4096);

    VelaLiteSetup = new vela::service::TVelaLiteSetup();
    Preferences = new vela::service::TPreferences(nullptr, VelaLiteSetup);
    QTimer::singleShot(0, [&] {
        Preferences->ReadInstrumentSetup();
        if (show != QLatin1String("prefs")) {
            VelaLiteSetup->move(0, 0);
            VelaLiteSetup->show();
            VelaLiteSetup->RefreshReading();
        }
        if (show != QLatin1String("setup")) {
            Preferences->move(show == QLatin1String("both") ? 200 : 0, show == QLatin1String("both") ? 420 : 0);
            Preferences->ShowPreferences();
        }
    });
    const int rc = QApplication::exec();
    delete Preferences;
    delete VelaLiteSetup;
    return rc;
}
