#pragma once
// vela-sim in-process on a real pseudo-terminal, an instrument link opened on it with short
// time bases, and helpers to read the line's transcript.
#include "TestSupport.h"
#include "link/InstrumentLink.h"
#include "sim/VelaSim.h"

#include <QCoreApplication>
#include <memory>

namespace vela::test {

/// A triple-angle instrument whose every set-up value differs from the window's design state.
inline sim::InstrumentState configuredTriple()
{
    sim::InstrumentState s;
    sim::applyModel(s, sim::Model::Triple);
    s.setWord(link::mem::kConfigWord, 0xFBFF & ~0x0010 & ~0x0100);   // pass/fail, read-on-time
    s.firmwareVersion = 412;
    sim::setSerialWords(s, 0x1234, 0x0512, 0x4708);
    s.setWord(link::mem::kMirrorCorrection20, 0xFE0C);   // -0.5
    s.setWord(link::mem::kMirrorCorrection2, 250);
    s.currentAngle = 0;
    s.channels[0].signalPot = 21;
    s.channels[0].referencePot = 99;
    s.divideRange = 1234;
    const float targets[] = {90.5f, 94.0f, 99.5f};
    for (int slot = 0; slot < 3; ++slot) {
        sim::SlotCalibration cal;
        cal.target = targets[slot];
        cal.high = 80.0f + float(slot);
        cal.low = 10.0f + float(slot);
        cal.difference = 5.5f + float(slot);
        sim::setSlotCalibration(s, slot, cal);
    }
    s.setWord(8, 3);        // Deutsch
    s.setWord(10, 0);       // manual calibration
    s.setFloat(12, 4.75f);  // minimum supply voltage
    s.setWord(16, 90);      // on time
    s.setWord(18, 150);     // bulb settling time
    return s;
}

/// @brief A virtual instrument and a link to it.
class SetupSimFixture : public DialogsFixture {
protected:
    void SetUp() override
    {
        DialogsFixture::SetUp();
        m_sim = startSim(configuredTriple());
        m_link = openLink(*m_sim);
    }
    void TearDown() override
    {
        m_link.reset();
        m_sim.reset();
        DialogsFixture::TearDown();
    }

    std::unique_ptr<sim::VelaSim> startSim(const sim::InstrumentState& state)
    {
        auto simulator = std::make_unique<sim::VelaSim>(state);
        static int counter = 0;
        sim::SimOptions options;
        options.linkPath = tempPath(QStringLiteral("vela-setup-%1").arg(++counter));
        options.lineTiming = false;
        QString error;
        EXPECT_TRUE(simulator->start(options, &error)) << error.toStdString();
        return simulator;
    }

    std::unique_ptr<link::InstrumentLink> openLink(sim::VelaSim& simulator)
    {
        auto l = std::make_unique<link::InstrumentLink>();
        l->SetTimeBase(kTimeBase);
        l->Timings() = {kTimeBase, kTimeBase / 2, 0, 0};
        EXPECT_TRUE(l->Comms().OpenDevice(simulator.devicePath(), 115200, false));
        return l;
    }

    /// Frames received by the instrument, without the CR.
    [[nodiscard]] QList<QByteArray> frames() const
    {
        QList<QByteArray> out;
        for (const sim::Exchange& e : m_sim->transcript())
            out << e.received.trimmed();
        return out;
    }
    /// Frames after dropping the "LB" guards and memory reads ("RE").
    [[nodiscard]] QList<QByteArray> commandFrames() const
    {
        QList<QByteArray> out;
        for (const QByteArray& f : frames())
            if (!f.startsWith("!RE") && !f.startsWith("!LB"))
                out << f;
        return out;
    }

    /// The instrument refuses (does not answer) the skip+1-th command of this mnemonic.
    void refuse(const QByteArray& mnemonic, int skip = 0)
    {
        sim::FaultRule rule;
        rule.kind = sim::FaultKind::NoReply;
        rule.mnemonic = mnemonic;
        rule.skip = skip;
        rule.count = 1;
        m_sim->addFault(rule);
    }

    static constexpr int kTimeBase = 40;
    std::unique_ptr<sim::VelaSim> m_sim;
    std::unique_ptr<link::InstrumentLink> m_link;
};

} // namespace vela::test
