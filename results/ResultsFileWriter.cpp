#include "results/ResultsFileWriter.h"

#include <QFileInfo>
#include <QSaveFile>

namespace vela::results {

QByteArray imageBytes(const ResultsFileImage& image)
{
    return QByteArray(reinterpret_cast<const char*>(&image), sizeof image);
}

QByteArray imageBytes(const OpacityFileImage& image)
{
    return QByteArray(reinterpret_cast<const char*>(&image), sizeof image);
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    const QFileInfo info(path);
    if (path.isEmpty() || info.isDir())
        return false;
    // Replacing the file by a rename would pass over a read-only file's protection.
    if (info.exists() && !(info.permissions() & QFileDevice::WriteOwner))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace vela::results
