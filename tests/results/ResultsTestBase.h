#pragma once
// A results I/O window per test, with scripted dialogs and no missing-text log.
#include "ResultsFixtures.h"
#include "TestSupport.h"
#include "results/TfrmResultsIO.h"
#include "translation/Translator.h"

#include <QFile>
#include <memory>

namespace vela::test {

class ResultsTestBase : public DialogsFixture {
protected:
    void SetUp() override
    {
        DialogsFixture::SetUp();
        translation::translator().setLogMissing(false);
        m_io = std::make_unique<results::TfrmResultsIO>(
            nullptr, QDateTime(QDate(2026, 12, 9), QTime(8, 30, 0)));
    }
    void TearDown() override
    {
        m_io.reset();
        DialogsFixture::TearDown();
    }
    [[nodiscard]] results::TfrmResultsIO& io() { return *m_io; }
    /// Writes bytes to a file in the work folder and returns its path.
    QString put(const QString& name, const QByteArray& bytes)
    {
        const QString path = tempPath(name);
        writeAll(path, bytes);
        return path;
    }

private:
    std::unique_ptr<results::TfrmResultsIO> m_io;
};

} // namespace vela::test
