#pragma once
// A virtual instrument on a real pseudo-terminal and an instrument link opened on it.
#include "TestSupport.h"
#include "link/InstrumentLink.h"
#include "sim/VelaSim.h"

#include <QCoreApplication>
#include <QDir>
#include <QThread>
#include <memory>

namespace vela::test {

/// @brief Starts vela-sim in-process (line timing off unless asked) and opens a link to it
/// with short time bases, so time-outs take a fraction of a second.
class SimLinkFixture : public DialogsFixture {
protected:
    void SetUp() override
    {
        DialogsFixture::SetUp();
        startSim(sim::VelaSim::defaultState());
    }
    void TearDown() override
    {
        m_link.reset();
        if (m_sim)
            m_sim->stop();
        DialogsFixture::TearDown();
    }

    void startSim(const sim::InstrumentState& state, bool timing = false, int baud = 0)
    {
        m_link.reset();
        m_sim = std::make_unique<sim::VelaSim>(state);
        static int counter = 0;
        sim::SimOptions options;
        options.linkPath = tempPath(QStringLiteral("vela-%1-%2").arg(QCoreApplication::applicationPid()).arg(++counter));
        options.lineTiming = timing;
        options.baud = baud;
        QString error;
        ASSERT_TRUE(m_sim->start(options, &error)) << error.toStdString();
        m_link = std::make_unique<link::InstrumentLink>();
        m_link->SetTimeBase(kTimeBase);
        m_link->Timings() = {kTimeBase, kShortTimeBase / 2, 0, 0};
        ASSERT_TRUE(openLink()) << "cannot open " << m_sim->devicePath().toStdString();
    }

    bool openLink(qint32 baud = 115200)
    {
        return m_link->Comms().OpenDevice(m_sim->devicePath(), baud, false) && m_link->Comms().IsOpen();
    }

    /// Received frames of the transcript, in order.
    [[nodiscard]] QList<QByteArray> frames() const
    {
        QList<QByteArray> out;
        for (const sim::Exchange& e : m_sim->transcript())
            out << e.received;
        return out;
    }

    /// Frames of one mnemonic.
    [[nodiscard]] int countFrames(const QByteArray& prefix) const
    {
        int n = 0;
        for (const QByteArray& f : frames())
            n += f.contains(prefix) ? 1 : 0;
        return n;
    }

    void fault(sim::FaultKind kind, const QByteArray& mnemonic = {}, const QByteArray& text = {},
               int delayMs = 0, int count = 1, int bytes = -1)
    {
        sim::FaultRule rule;
        rule.kind = kind;
        rule.mnemonic = mnemonic;
        rule.text = text;
        rule.delayMs = delayMs;
        rule.count = count;
        rule.bytes = bytes;
        m_sim->addFault(rule);
    }

    /// Time bases: replies that come get a generous wait (a loaded machine is slow); tests of
    /// a time-out switch to the short one. The unanswered memory-busy guard uses the short one.
    static constexpr int kTimeBase = 500;
    static constexpr int kShortTimeBase = 50;
    void shortWaits() { m_link->SetTimeBase(kShortTimeBase); }
    std::unique_ptr<sim::VelaSim> m_sim;
    std::unique_ptr<link::InstrumentLink> m_link;
};

} // namespace vela::test
