#include "connect/StandalonePreferences.h"

#include "link/CommandSet.h"
#include "link/InstrumentLink.h"
#include "platform/Dialogs.h"
#include "service/InstrumentSetup.h"
#include "translation/Translator.h"

namespace vela::connect {
namespace {

/// @brief The mutable part of the standalone preferences.
struct StandaloneState {
    StandaloneChoices choices;
    bool single45_0 = false;
    QString standard60Label;
};

SetupReadResult readSetup(link::InstrumentLink& link, StandaloneState& state)
{
    SetupReadResult result;
    if (link.MemoryBusy())
        return result;
    service::InstrumentSetup setup(&link);
    service::SetupValues values;
    const service::Outcome out = setup.ReadSetup(values);
    for (const service::SetupMessage& m : out.messages)
        service::showSetupMessage(m);
    result.read = out.ok && setup.ReadDone();
    result.firmware = values.firmwareVersion;
    result.serial = values.serialText;
    state.single45_0 = result.read && values.model == service::SetupModel::Single45_0;
    return result;
}

} // namespace

ConnectPreferences standalonePreferences(link::InstrumentLink& link, const StandaloneChoices& choices)
{
    auto state = std::make_shared<StandaloneState>();
    state->choices = choices;
    ConnectPreferences p;
    p.port = [state] { return state->choices.port; };
    p.setPort = [state](int port) { state->choices.port = port; };
    p.type = [state] { return state->choices.type; };
    p.onTimePosition = [state] { return state->choices.onTime; };
    p.setStandard60Label = [state](const QString& t) { state->standard60Label = t; };
    p.readInstrumentSetup = [state, &link] { return readSetup(link, *state); };
    p.setSetupButtonsEnabled = [](bool) {};
    p.clearSetupReadFlag = [state] { state->single45_0 = false; };
    p.single45_0Selected = [state] { return state->single45_0; };
    return p;
}

} // namespace vela::connect
