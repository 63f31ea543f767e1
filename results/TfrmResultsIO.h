#pragma once
// The results-file service: owns the gloss and opacity file images and the current results
// path, reads and writes ".res" files, names new files (dialog or automatic numbering) and
// reports failures to the operator. Hidden and without widgets; the dialogs go through the
// platform's dialogs seam and every text through the translation service.
#include "results/OpacityRecord.h"
#include "results/ResultsFileImage.h"
#include "results/ResultsRecord.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

namespace vela::results {

/// Commands of ResultsIOCommand.
namespace ResultsCommand {
inline constexpr int Load = 0;             // ReadResultsFile (empty path: open dialog)
inline constexpr int SaveNew = 1;          // gloss under a new name (dialog or numbering)
inline constexpr int NextName = 2;         // next gloss file name only
inline constexpr int Save = 3;             // gloss to the given path
inline constexpr int LoadOpacity = 4;      // ReadOpacityFile
inline constexpr int SaveOpacityNew = 5;   // opacity batch under a new name
inline constexpr int NextOpacityName = 6;  // next opacity file name only
inline constexpr int SaveOpacity = 7;      // opacity to the given path
} // namespace ResultsCommand

/// @brief The hidden results I/O window: the single entry through which the program loads
/// and saves results files.
class TfrmResultsIO : public QObject {
    Q_OBJECT
public:
    explicit TfrmResultsIO(QObject* parent = nullptr,
                           const QDateTime& startTime = QDateTime::currentDateTime());
    ~TfrmResultsIO() override;

    // Readers and writers on the images; path is in/out. Each shows its own message.
    bool ReadResultsFile(QString& path);
    bool ReadOpacityFile(QString& path);
    bool WriteResultsFile(QString& path);
    bool WriteOpacityFile(QString& path);

    /// Copies the caller's records into the images, sets the results folder to
    /// root + subfolder and runs the command; on success path holds the full path of the file
    /// read or written (empty when a save under a new name got no name and wrote nothing).
    bool ResultsIOCommand(const QString& root, QString& path, const ResultsRecord& gloss,
                          const OpacityRecord& opacity, const QString& subfolder, int command);
    /// Loads the n-th (1-based) file of the last multiple selection; false, silently, when n
    /// is out of range.
    bool LoadSelectedResults(int n, QString& path);

    [[nodiscard]] ResultsFileImage& resultsImage() { return m_gloss; }
    [[nodiscard]] const ResultsFileImage& resultsImage() const { return m_gloss; }
    [[nodiscard]] OpacityFileImage& opacityImage() { return m_opacity; }
    [[nodiscard]] const OpacityFileImage& opacityImage() const { return m_opacity; }
    [[nodiscard]] const QString& currentPath() const { return m_path; }
    [[nodiscard]] const QString& currentFolder() const { return m_folder; }
    void setCurrentFolder(const QString& folder) { m_folder = folder; }
    [[nodiscard]] int selectedCount() const { return int(m_selected.size()); }
    [[nodiscard]] int lastNumbering() const { return m_lastNumbering; }
    [[nodiscard]] const QString& caption() const { return m_caption; }

Q_SIGNALS:
    void captionChanged(const QString& caption);

private:
    bool chooseOpenPath(QString& path);
    bool readFailed(const QString& message);
    bool writeFailed();
    void recordPath(const QString& path, const QString& captionName);
    void setCaption(const QString& caption);
    bool writeImage(QString& path, bool opacity);
    bool chooseName(QString& path, bool opacity);
    bool runCommand(QString& path, int command);
    bool saveNew(QString& path, bool opacity);

    ResultsFileImage m_gloss;
    OpacityFileImage m_opacity;
    QString m_path;
    QString m_folder;
    QStringList m_selected;
    int m_lastNumbering = 0;
    QString m_caption;
};

/// The program's results I/O window; created by the program at start-up.
extern TfrmResultsIO* frmResultsIO;
/// The results I/O window, created (without a parent, living to the end of the process)
/// when the program has not made one yet; for velactl and tests.
TfrmResultsIO& ensureResultsIO();

} // namespace vela::results
