#include "PrivateProfile.h"

#include "Ansi.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>

namespace vela::platform {
namespace {

constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

// A section header line "[name]": returns the name, trimmed.
std::optional<QString> sectionName(const QString& line)
{
    const QString t = line.trimmed();
    if (!t.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = t.indexOf(u']');
    if (close < 0)
        return std::nullopt;
    return t.mid(1, close - 1).trimmed();
}

// "key=value": returns the trimmed key; lines without '=' are not entries.
std::optional<QString> keyOf(const QString& line)
{
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0 || line.trimmed().startsWith(u';'))
        return std::nullopt;
    return line.left(eq).trimmed();
}

QString valueOf(const QString& line)
{
    QString v = line.mid(line.indexOf(u'=') + 1).trimmed();
    if (v.size() >= 2 && ((v.startsWith(u'"') && v.endsWith(u'"')) ||
                          (v.startsWith(u'\'') && v.endsWith(u'\''))))
        v = v.mid(1, v.size() - 2);
    return v;
}

bool same(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Index range [first, end) of the lines of the first matching section; first = header line.
std::optional<std::pair<qsizetype, qsizetype>> findSection(const QStringList& lines,
                                                            const QString& section)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto name = sectionName(lines[i]);
        if (!name || !same(*name, section.trimmed()))
            continue;
        qsizetype end = i + 1;
        while (end < lines.size() && !sectionName(lines[end]))
            ++end;
        return std::make_pair(i, end);
    }
    return std::nullopt;
}

} // namespace

QString PrivateProfile::settingsDirectory()
{
    const QString env = qEnvironmentVariable("VELA_SETTINGS_DIR");
    if (!env.isEmpty())
        return env;
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/VelaSoft");
}

QString PrivateProfile::resolve(const QString& fileName)
{
    if (fileName.contains(u'/') || fileName.contains(u'\\'))
        return fileName;
    return settingsDirectory() + u'/' + fileName;
}

PrivateProfile::PrivateProfile(const QString& fileName) : m_path(resolve(fileName))
{
    reload();
}

void PrivateProfile::reload()
{
    m_lines.clear();
    QFile f(m_path);
    if (QFileInfo(m_path).isDir() || !f.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = f.read(kMaxFileSize);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    m_ansi = utf8.hasError();
    if (m_ansi)
        text = fromAnsi(bytes.constData(), bytes.size());
    m_eol = bytes.contains("\r\n") ? QStringLiteral("\r\n") : QStringLiteral("\n");
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    m_lines = text.split(u'\n');
    if (!m_lines.isEmpty() && m_lines.last().isEmpty())
        m_lines.removeLast();
}

std::optional<QString> PrivateProfile::value(const QString& section, const QString& key) const
{
    const auto range = findSection(m_lines, section);
    if (!range)
        return std::nullopt;
    for (qsizetype i = range->first + 1; i < range->second; ++i) {
        const auto k = keyOf(m_lines[i]);
        if (k && same(*k, key.trimmed()))
            return valueOf(m_lines[i]);
    }
    return std::nullopt;
}

QString PrivateProfile::readString(const QString& section, const QString& key,
                                   const QString& def) const
{
    return value(section, key).value_or(def);
}

int PrivateProfile::readInteger(const QString& section, const QString& key, int def) const
{
    const auto v = value(section, key);
    if (!v)
        return def;
    static const QRegularExpression kInt(QStringLiteral("^-?[0-9]+$"));
    if (!kInt.match(*v).hasMatch())
        return def;
    bool ok = false;
    const int n = v->toInt(&ok);
    return ok ? n : def;
}

bool PrivateProfile::readBool(const QString& section, const QString& key, bool def) const
{
    return readInteger(section, key, def ? 1 : 0) != 0;
}

double PrivateProfile::readReal(const QString& section, const QString& key, double def) const
{
    const auto v = value(section, key);
    if (!v)
        return def;
    bool ok = false;
    const double d = v->toDouble(&ok);
    return ok ? d : def;
}

QStringList PrivateProfile::sections() const
{
    QStringList out;
    for (const QString& line : m_lines)
        if (const auto n = sectionName(line))
            out << *n;
    return out;
}

QStringList PrivateProfile::keys(const QString& section) const
{
    QStringList out;
    if (const auto range = findSection(m_lines, section))
        for (qsizetype i = range->first + 1; i < range->second; ++i)
            if (const auto k = keyOf(m_lines[i]))
                out << *k;
    return out;
}

bool PrivateProfile::writeString(const QString& section, const QString& key, const QString& value)
{
    return store(section, key, value);
}

bool PrivateProfile::writeInteger(const QString& section, const QString& key, int value)
{
    return store(section, key, QString::number(value));
}

bool PrivateProfile::writeBool(const QString& section, const QString& key, bool value)
{
    return store(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool PrivateProfile::writeReal(const QString& section, const QString& key, double value)
{
    return store(section, key, QString::number(value, 'g', 15));
}

bool PrivateProfile::removeKey(const QString& section, const QString& key)
{
    return store(section, key, std::nullopt);
}

bool PrivateProfile::store(const QString& section, const QString& key,
                           const std::optional<QString>& value)
{
    reload();
    const QString entry = key.trimmed() + u'=' + value.value_or(QString());
    auto range = findSection(m_lines, section);
    if (!range) {
        if (!value)
            return true;
        m_lines << u'[' + section.trimmed() + u']' << entry;
    } else {
        bool done = false;
        for (qsizetype i = range->first + 1; i < range->second && !done; ++i) {
            const auto k = keyOf(m_lines[i]);
            if (!k || !same(*k, key.trimmed()))
                continue;
            if (value)
                m_lines[i] = entry;
            else
                m_lines.removeAt(i);
            done = true;
        }
        if (!done && value) {
            qsizetype at = range->second;
            while (at > range->first + 1 && m_lines[at - 1].trimmed().isEmpty())
                --at;
            m_lines.insert(at, entry);
        }
    }
    const QFileInfo info(m_path);
    QDir().mkpath(info.absolutePath());
    QSaveFile f(m_path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    const QString text = m_lines.join(m_eol) + m_eol;
    f.write(m_ansi ? toAnsi(text) : text.toUtf8());
    return f.commit();
}

PrivateProfile settingsFile()
{
    return PrivateProfile(QString::fromLatin1(kSettingsFileName));
}

} // namespace vela::platform
