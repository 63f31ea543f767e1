#include "Launcher.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace vela::platform {
namespace {

std::function<bool(const QString&)>& opener()
{
    static std::function<bool(const QString&)> fn;
    return fn;
}

} // namespace

bool openExternal(const QString& pathOrUrl)
{
    if (opener())
        return opener()(pathOrUrl);
    const bool isUrl = pathOrUrl.contains(QStringLiteral("://"));
    const QUrl url = isUrl ? QUrl(pathOrUrl) : QUrl::fromLocalFile(QDir::fromNativeSeparators(pathOrUrl));
    return QDesktopServices::openUrl(url);
}

void setExternalOpener(std::function<bool(const QString&)> fn)
{
    opener() = std::move(fn);
}

} // namespace vela::platform
