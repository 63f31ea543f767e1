#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vela::test {

void DialogsFixture::SetUp()
{
    ASSERT_TRUE(m_settings.isValid());
    ASSERT_TRUE(m_work.isValid());
    m_oldSettingsEnv = qgetenv("VELA_SETTINGS_DIR");
    qputenv("VELA_SETTINGS_DIR", m_settings.path().toLocal8Bit());
    auto impl = std::make_unique<platform::ScriptedDialogs>();
    m_dialogs = impl.get();
    platform::setDialogs(std::move(impl));
}

void DialogsFixture::TearDown()
{
    for (const auto& r : m_dialogs->unexpected())
        ADD_FAILURE() << "unexpected prompt: " << r.caption.toStdString() << " / "
                      << r.text.toStdString();
    platform::setDialogs(nullptr);
    m_dialogs = nullptr;
    if (m_oldSettingsEnv.isNull())
        qunsetenv("VELA_SETTINGS_DIR");
    else
        qputenv("VELA_SETTINGS_DIR", m_oldSettingsEnv);
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QString sourceDir()
{
#ifdef VELA_SOURCE_DIR
    return QStringLiteral(VELA_SOURCE_DIR);
#else
    return QDir::currentPath();
#endif
}

} // namespace vela::test
