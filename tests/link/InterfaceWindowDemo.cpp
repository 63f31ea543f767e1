// Shows the instrument interface window against an in-process vela-sim and runs both reads,
// for a screenshot of the window at work.
#include "link/TVelaLiteInterface.h"
#include "sim/VelaSim.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    using namespace vela;
    sim::InstrumentState state = sim::VelaSim::defaultState();
    const quint16 words[10] = {3, 0, 1, 0x0090, 2, 1, 0, 0, 60, 200};
    for (int i = 0; i < 10; ++i)
        state.setWord(2 * i, words[i]);
    state.setFloat(12, 5.5f);
    sim::SlotCalibration cal;
    cal.gain = 1.234e-3f;
    cal.offset = -0.75f;
    cal.high = 95.0f;
    cal.low = 40.0f;
    sim::setSlotCalibration(state, 1, cal);
    sim::VelaSim sim(state);
    sim::SimOptions options;
    options.linkPath = QDir::temp().filePath(QStringLiteral("vela-demo-%1").arg(QCoreApplication::applicationPid()));
    options.baud = 115200;
    if (!sim.start(options))
        return 1;
    link::InstrumentLink& link = link::instrumentLink();
    link.Comms().OpenDevice(sim.devicePath(), 115200, false);
    link::TVelaLiteInterface window(link);
    VelaLiteInterface = &window;
    window.show();
    QTimer::singleShot(200, &window, [&] {
        window.LoadSysDataClick();
        window.ReadResultsDataClick();
    });
    const int rc = app.exec();
    sim.stop();
    return rc;
}
