// The Connect window's bindings to the other windows: the preferences dialog and the set-up
// window (resolved at the time of use, so they may be created later), and the results chart.
#include "connect/StandalonePreferences.h"
#include "connect/TConnect.h"

#include "charts/TfrmResultsChart.h"
#include "link/InstrumentLink.h"
#include "service/TPreferences.h"
#include "service/TVelaLiteSetup.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace vela::connect {
namespace {

InstrumentType typeOf(const service::TPreferences& p)
{
    if (p.velaGloss())
        return InstrumentType::VelaGloss;
    if (p.velaCurve())
        return InstrumentType::VelaCurve;
    if (p.velaPac())
        return InstrumentType::VelaPac;
    return p.velaCurveVersion3() ? InstrumentType::VelaCurveVersion3 : InstrumentType::VelaDuzirIriz;
}

} // namespace

void TConnect::bindPreferences(service::TPreferences* preferences, service::TVelaLiteSetup* setup)
{
    m_preferencesBound = true;
    auto prefs = [preferences] { return preferences ? preferences : ::Preferences; };
    auto setupWindow = [setup] { return setup ? setup : ::VelaLiteSetup; };
    if (!prefs()) {
        // No preferences window (a demo): fixed choices and the set-up core on the link.
        m_session.setPreferences(standalonePreferences(m_session.Link(), {}));
        return;
    }
    ConnectPreferences p;
    p.port = [prefs] { return prefs()->port(); };
    p.setPort = [prefs](int port) { prefs()->setPort(port); };
    p.type = [prefs] { return typeOf(*prefs()); };
    p.highSpeed = [prefs] { return prefs()->highSpeedComs(); };
    p.onTimePosition = [prefs] { return prefs()->onTimePosition(); };
    p.setStandard60Label = [prefs](const QString& text) { prefs()->lbTarget60->setText(text); };
    p.readInstrumentSetup = [prefs] {
        service::TPreferences* pr = prefs();
        pr->ReadInstrumentSetup();
        return SetupReadResult{pr->readFlag() != 0, pr->FirmwareVer->text(), pr->SerialLabel->text()};
    };
    p.setSetupButtonsEnabled = [prefs](bool on) { prefs()->setSetupButtonsEnabled(on); };
    p.clearSetupReadFlag = [setupWindow] {
        if (setupWindow())
            setupWindow()->ReadSetup->setProperty("tag", 0);
    };
    p.single45_0Selected = [setupWindow] {
        return setupWindow() && setupWindow()->RBSingle45_0Degree->isChecked();
    };
    m_session.setPreferences(std::move(p));
    prefs()->setConnectionExpired([this] { return expired(); });
    prefs()->setRestartConnectionTimer([this] { m_session.RestartConnectionTimer(60000); });
}

void TConnect::bindResultsChart()
{
    ConnectHooks h = m_session.hooks();
    h.clearAllSlots = [] {
        if (frmResultsChart)
            frmResultsChart->ClearAllSlots();
    };
    h.showResults = [this](const results::ResultsRecord& r, const results::OpacityRecord& o, int slot,
                           const QString& angle) {
        if (frmResultsChart)
            frmResultsChart->ShowResults(m_session.programDirectory(), r, o, slot, angle, 0);
    };
    h.setChartStatus = [](const QString& text) {
        if (frmResultsChart)
            frmResultsChart->setChartStatus(text);
    };
    m_session.setHooks(std::move(h));
}

void TConnect::setSheetHooks(std::function<void(const QString&)> addGloss, std::function<void()> countPassRows,
                             std::function<void(const QString&)> addOpacity, std::function<void()> writeBackTags)
{
    ConnectHooks h = m_session.hooks();
    h.addGlossBatch = std::move(addGloss);
    h.countPassRows = std::move(countPassRows);
    h.addOpacityBatch = std::move(addOpacity);
    h.writeBackTags = std::move(writeBackTags);
    m_session.setHooks(std::move(h));
}

} // namespace vela::connect
