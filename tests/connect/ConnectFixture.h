#pragma once
// A connect session on a real pseudo-terminal with vela-sim, short time bases, preferences
// bound to fixed choices and saves numbered in a temporary program directory.
#include "../link/SimLinkFixture.h"
#include "connect/ConnectSession.h"
#include "connect/StandalonePreferences.h"
#include "results/ResultsFileReader.h"
#include "results/TfrmResultsIO.h"
#include "sim/TextStream.h"

#include <memory>

namespace vela::test {

/// @brief vela-sim in-process and a ConnectSession talking to it.
class ConnectFixture : public SimLinkFixture {
protected:
    void SetUp() override
    {
        SimLinkFixture::SetUp();
        m_io = std::make_unique<results::TfrmResultsIO>();
    }
    void TearDown() override
    {
        m_session.reset();
        m_io.reset();
        SimLinkFixture::TearDown();
    }

    /// Restarts vela-sim as a model with the given samples in every slot the model has.
    void startModel(sim::Model model, const std::vector<float>& samples = {55.5f, 54.25f, 56.0f})
    {
        sim::InstrumentState s;
        sim::applyModel(s, model);
        for (int slot : sim::slotsOf(model)) {
            std::vector<float> v = samples;
            for (float& x : v)
                x += float(slot) * 10.0f;
            sim::storeSamples(s, slot, v);
        }
        startSim(s);
    }

    /// A fresh session on the current link.
    connect::ConnectSession& session(connect::InstrumentType type = connect::InstrumentType::VelaDuzirIriz,
                                     const QString& stem = QStringLiteral("Upload"))
    {
        m_session = std::make_unique<connect::ConnectSession>(m_link.get());
        connect::StandaloneChoices choices;
        choices.type = type;
        m_session->setPreferences(connect::standalonePreferences(*m_link, choices));
        m_session->setDevicePath(m_sim->devicePath());
        m_session->setProgramDirectory(workDir());
        m_session->setSaveStem(stem);
        m_session->setResultsIO(m_io.get());
        connect::SessionTimings& t = m_session->timings();
        t.closeStatsTimeBase = t.afterUploadTimeBase = kTimeBase;
        t.streamTickMs = 5;
        return *m_session;
    }

    /// Reads a saved gloss file back.
    static results::ResultsRecord readGloss(const QString& path)
    {
        results::ResultsFileImage gloss{};
        results::OpacityFileImage opacity{};
        const results::ReadOutcome out = results::readResultsFile(path, gloss, opacity);
        EXPECT_EQ(out.status, results::ReadStatus::Gloss) << path.toStdString();
        return gloss.record;
    }
    static results::OpacityRecord readOpacity(const QString& path)
    {
        results::OpacityFileImage opacity{};
        EXPECT_TRUE(results::readOpacityFile(path, opacity).ok()) << path.toStdString();
        return opacity.record;
    }

    /// Runs the event loop until the session stops listening (or the time is up).
    bool waitListening(int ms = 5000)
    {
        QElapsedTimer t;
        t.start();
        while (m_session->listening() && t.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return !m_session->listening();
    }

    std::unique_ptr<results::TfrmResultsIO> m_io;
    std::unique_ptr<connect::ConnectSession> m_session;
};

} // namespace vela::test
