#include "results/ResultsNumbering.h"

#include "results/ResultsFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vela::results {
namespace {

// Decimal value of the leading digits of text (optional blanks and sign first), 0 if none.
int leadingNumber(const QByteArray& text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    int n = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        n = n * 10 + (text[i] - '0');
    return negative ? -n : n;
}

int nextNumber(int n)
{
    return n >= kLastResultsNumber ? 1 : n + 1;
}

bool writeCounter(const QString& counter, int n)
{
    return writeFileAtomically(counter, QByteArray::number(n) + '\r');
}

// The number to start from: the counter file's value (9999 restarts at 1), or 1 for a new
// counter file. 0 when the counter is invalid or cannot be created.
int startNumber(const QString& counter)
{
    QFile file(counter);
    if (QFileInfo(counter).isFile() && file.open(QIODevice::ReadOnly)) {
        const int n = leadingNumber(file.read(4));
        if (n < 1 || n > 9999) {
            (void)writeCounter(counter, 0);
            return 0;
        }
        return n == 9999 ? 1 : n;
    }
    if (QFileInfo::exists(counter))
        return 0;  // there, but not readable as a file
    return writeFileAtomically(counter, {}) ? 1 : 0;
}

// First free number from n on, skipping numbers whose " L" twin follows a taken number.
int findFree(const QString& folder, const QString& stem, int n)
{
    for (int tests = 0; tests < kNumberingTests; ++tests) {
        if (!QFileInfo::exists(numberedPath(folder, stem, n)))
            return n;
        n = nextNumber(n);
        for (int skips = 0; skips < kNumberingTests; ++skips) {
            if (!QFileInfo::exists(numberedPath(folder, stem, n, true)))
                break;
            n = nextNumber(n);
        }
    }
    return 0;
}

} // namespace

QString counterFilePath(const QString& folder, const QString& stem)
{
    return folder + stem.left(8) + QStringLiteral(".trl");
}

QString numberedPath(const QString& folder, const QString& stem, int n, bool lSuffix)
{
    return folder + stem + QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0')) +
           (lSuffix ? QStringLiteral(" L.res") : QStringLiteral(".res"));
}

int AutoNumberResultsFile(const QString& folder, const QString& stem, QString* path)
{
    path->clear();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return 0;
    const QString counter = counterFilePath(folder, stem);
    const int start = startNumber(counter);
    if (start < 1)
        return 0;
    const int n = findFree(folder, stem, start);
    if (n < 1 || !writeCounter(counter, n))
        return 0;
    *path = numberedPath(folder, stem, n);
    return n;
}

} // namespace vela::results
