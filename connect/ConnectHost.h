#pragma once
// What the connect session needs of the rest of the program, as plain functions: the
// preferences (port, type, on-time, the set-up read) and the windows that show an upload
// (results chart, analysis sheet). The program binds them to its windows; velactl and tests
// bind them to the set-up core and to files.
#include "connect/ConnectTypes.h"
#include "results/OpacityRecord.h"
#include "results/ResultsRecord.h"

#include <QString>
#include <functional>

namespace vela::connect {

/// @brief The result of the preferences' set-up read.
struct SetupReadResult {
    bool read = false;      ///< the read flag of the preferences
    QString firmware;       ///< firmware version text ("3.25")
    QString serial;         ///< serial number text
};

/// @brief The preferences and the set-up window as the connect routine uses them.
struct ConnectPreferences {
    std::function<int()> port;                          ///< 0 = search, 1..8 = COM port
    std::function<void(int)> setPort;
    std::function<InstrumentType()> type;
    std::function<bool()> highSpeed;                    ///< High Speed Comms
    std::function<int()> onTimePosition;                ///< seconds, 30..120
    std::function<void(const QString&)> setStandard60Label;  ///< translated text
    std::function<SetupReadResult()> readInstrumentSetup;
    std::function<void(bool)> setSetupButtonsEnabled;   ///< Set-up and Read Set-up
    std::function<void()> clearSetupReadFlag;           ///< the set-up window's read flag
    /// The set-up window's single-angle 45/0 selection is checked.
    std::function<bool()> single45_0Selected;
};

/// @brief Windows that show what an upload saved; each may be left empty.
struct ConnectHooks {
    std::function<void()> clearAllSlots;
    /// ShowResults(program directory, record, opacity, slot, angle text, 0).
    std::function<void(const results::ResultsRecord&, const results::OpacityRecord&, int slot,
                       const QString& angleText)> showResults;
    std::function<void(const QString&)> setChartStatus;
    /// The analysis sheet: add the saved gloss file as a batch row (both ShowAnalysisSheet
    /// calls with the new-sheet rule) and count the passing rows.
    std::function<void(const QString& path)> addGlossBatch;
    std::function<void()> countPassRows;
    /// The opacity sheet: add a saved batch, mark the sheet changed, write back the tags.
    std::function<void(const QString& path)> addOpacityBatch;
    std::function<void()> writeBackTags;
};

} // namespace vela::connect
