#include "VelaSim.h"

#include "sim/LineEngine.h"
#include "sim/TextStream.h"

#include <QStringList>

namespace vela::sim {

VelaSim::VelaSim(const InstrumentState& state) : m_engine(std::make_unique<LineEngine>(state)) {}

VelaSim::~VelaSim()
{
    stop();
}

InstrumentState VelaSim::defaultState()
{
    InstrumentState s;
    applyModel(s, Model::Dual);
    storeSamples(s, 0, {12.5f, 12.7f, 12.4f, 12.9f});
    storeSamples(s, 1, {55.1f, 54.8f, 55.6f, 55.0f, 54.9f, 55.3f});
    return s;
}

bool VelaSim::start(const SimOptions& options, QString* error)
{
    return m_engine->start(options, error);
}

void VelaSim::stop()
{
    m_engine->stop();
}

bool VelaSim::running() const
{
    return m_engine->running();
}

QString VelaSim::devicePath() const
{
    return m_engine->devicePath();
}

QString VelaSim::slavePath() const
{
    return m_engine->slavePath();
}

void VelaSim::withState(const std::function<void(InstrumentState&)>& f)
{
    m_engine->withState(f);
}

InstrumentState VelaSim::state() const
{
    return m_engine->stateCopy();
}

void VelaSim::addCommand(const QByteArray& mnemonic, CommandHandler handler)
{
    m_engine->addCommand(mnemonic, std::move(handler));
}

void VelaSim::addFault(const FaultRule& rule)
{
    m_engine->addFault(rule);
}

void VelaSim::clearFaults()
{
    m_engine->clearFaults();
}

void VelaSim::unplug(int replugAfterMs)
{
    m_engine->unplug(replugAfterMs);
}

void VelaSim::plug()
{
    m_engine->plug();
}

bool VelaSim::plugged() const
{
    return m_engine->plugged();
}

void VelaSim::setLineTiming(bool on, int baud)
{
    m_engine->setLineTiming(on, baud);
}

int VelaSim::timingBaud() const
{
    return m_engine->timingBaud();
}

std::vector<Exchange> VelaSim::transcript() const
{
    return m_engine->transcript();
}

void VelaSim::clearTranscript()
{
    m_engine->clearTranscript();
}

bool VelaSim::waitForExchanges(size_t n, int timeoutMs) const
{
    return m_engine->waitForExchanges(n, timeoutMs);
}

void VelaSim::sendText(const QByteArray& bytes, int delayMs)
{
    m_engine->sendText(bytes, delayMs);
}

namespace {

bool parseOnOff(const QString& word, bool& on)
{
    on = word == QLatin1String("on") || word == QLatin1String("1");
    return on || word == QLatin1String("off") || word == QLatin1String("0");
}

bool fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

bool applySamples(VelaSim& sim, const QStringList& words, QString* error)
{
    bool ok = false;
    const int slot = words.value(1).toInt(&ok);
    if (!ok || slot < 0 || slot > 2)
        return fail(error, QStringLiteral("samples SLOT v,v,..."));
    std::vector<float> values;
    for (const QString& v : words.value(2).split(QLatin1Char(','), Qt::SkipEmptyParts))
        values.push_back(v.toFloat());
    sim.withState([&](InstrumentState& s) { storeSamples(s, slot, values); });
    return true;
}

} // namespace

bool applyControl(VelaSim& sim, const QString& line, QString* error)
{
    const QStringList w = line.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString verb = w.value(0);
    bool on = false;
    bool stream = false;
    if (const bool ok = applyStreamControl(sim, line, &stream, error); stream)
        return ok;
    if (verb == QLatin1String("fault")) {
        FaultRule rule;
        if (!parseFaultRule(line.trimmed().mid(5).trimmed(), rule, error))
            return false;
        sim.addFault(rule);
    } else if (verb == QLatin1String("clear-faults")) {
        sim.clearFaults();
    } else if (verb == QLatin1String("unplug")) {
        sim.unplug(w.value(1).toInt());
    } else if (verb == QLatin1String("plug")) {
        sim.plug();
    } else if (verb == QLatin1String("busy") && parseOnOff(w.value(1), on)) {
        sim.withState([on](InstrumentState& s) { s.memoryBusy = on; });
    } else if (verb == QLatin1String("power") && parseOnOff(w.value(1), on)) {
        sim.withState([on](InstrumentState& s) { s.poweredOn = on; });
    } else if (verb == QLatin1String("word") && w.size() == 3) {
        bool a = false, b = false;
        const int address = w[1].toInt(&a, 0);
        const int value = w[2].toInt(&b, 0);
        if (!a || !b)
            return fail(error, QStringLiteral("word ADDR VALUE"));
        sim.withState([=](InstrumentState& s) { s.setWord(address, quint16(value)); });
    } else if (verb == QLatin1String("samples")) {
        return applySamples(sim, w, error);
    } else if (verb == QLatin1String("timing") && parseOnOff(w.value(1), on)) {
        sim.setLineTiming(on, w.value(2).toInt());
    } else if (verb == QLatin1String("model")) {
        Model model{};
        if (!modelFromName(w.value(1), model))
            return fail(error, QStringLiteral("unknown model: %1").arg(w.value(1)));
        sim.withState([model](InstrumentState& s) { applyModel(s, model); });
    } else {
        return fail(error, QStringLiteral("unknown control: %1").arg(line.trimmed()));
    }
    return true;
}

} // namespace vela::sim
