#include "results/ResultsPaths.h"

#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>

namespace vela::results {
namespace {

qsizetype lastSeparator(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype native = path.lastIndexOf(QDir::separator());
    return std::max(slash, native);
}

// Position of the extension's dot inside the file name part, or -1.
qsizetype extensionDot(const QString& path)
{
    const qsizetype sep = lastSeparator(path);
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot > sep ? dot : -1;
}

} // namespace

QString fileNamePart(const QString& path)
{
    return path.mid(lastSeparator(path) + 1);
}

QString withResExtension(const QString& path)
{
    const qsizetype dot = extensionDot(path);
    if (dot >= 0 && path.mid(dot).compare(QStringLiteral(".res"), Qt::CaseInsensitive) == 0)
        return path;
    return (dot >= 0 ? path.left(dot) : path) + QStringLiteral(".res");
}

QString resBaseName(const QString& path)
{
    const QString name = fileNamePart(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot >= 0 ? name.left(dot) : name;
}

QString convertedLegacyPath(const QString& path)
{
    const QString res = withResExtension(path);
    return res.left(res.size() - 4) + QStringLiteral("_CN.res");
}

QString resultsFolder(const QString& root, const QString& subfolder)
{
    const QString base = subfolder.isEmpty() ? root : platform::joinPath(root, subfolder);
    const QString sep = QString(QDir::separator());
    return base.endsWith(sep) || base.endsWith(u'/') ? base : base + sep;
}

QString dialogFolder(const QString& folder)
{
    QString dir = folder;
    while (!dir.isEmpty() && !QFileInfo(dir).isDir()) {
        const QString parent = QFileInfo(QDir::cleanPath(dir)).path();
        if (parent == QDir::cleanPath(dir))
            break;
        dir = QDir::toNativeSeparators(parent) + QDir::separator();
    }
    return QFileInfo(dir).isDir() ? dir : folder;
}

} // namespace vela::results
