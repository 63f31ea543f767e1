#include "Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace vela::platform {

QString programDirectory()
{
    return QDir::toNativeSeparators(QDir::currentPath());
}

namespace {

// The entry of 'dir' whose name equals 'name' without regard to case; exact match first.
QString matchEntry(const QString& dir, const QString& name)
{
    const QDir d(dir.isEmpty() ? QStringLiteral("/") : dir);
    if (d.exists(name))
        return name;
    const QStringList entries = d.entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                            QDir::NoDotAndDotDot);
    for (const QString& e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return e;
    return name;
}

} // namespace

QString joinPath(const QString& base, const QString& relative)
{
    QString path = QDir::fromNativeSeparators(base);
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    QString rel = relative;
    rel.replace(u'\\', u'/');
    const QStringList parts = rel.split(u'/', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        const QString name = matchEntry(path, part);
        path = (path.endsWith(u'/') ? path : path + u'/') + name;
    }
    return QDir::toNativeSeparators(path);
}

QString resolveCase(const QString& path)
{
    const QString p = QDir::fromNativeSeparators(path);
    if (QFileInfo::exists(p) || !p.startsWith(u'/'))
        return path;
    return joinPath(QStringLiteral("/"), p);
}

QString executableDirectory()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                        : QDir::currentPath();
}

} // namespace vela::platform
