#pragma once
// Scenario files: the virtual instrument's state, its line options and its faults, as JSON.
//
// {
//   "model": "dual",                   single20 single45 single45-0 single60 dual triple opacity
//   "firmware": 325,                   reply of "VV" (version x 100)
//   "calibrationDate": "01/06/2024",
//   "serial": {"digits": 4660, "monthSuffix": 1298, "prefixYear": 18184},
//   "system": {"angle": 3, "singleAngle": 1, "options": 144, "language": 2,
//              "calibrationMode": 1, "minSupplyVoltage": 5.5, "onTime": 60,
//              "bulbSettling": 200, "soakCount": 0},
//   "slots": [{"slot": 1, "samples": [55.1, 54.9], "sourcePot": 64, "receiverPot": 70,
//              "target": 93.0, "gain": 0.001, "offset": 0.0, "high": 100, "low": 0,
//              "difference": 10}],
//   "words": {"2040": 65535, "0x0800": 1},   raw memory words, applied last
//   "memoryBusy": false, "offHoldMs": 5000,
//   "line": {"baud": 0, "timing": true},
//   "printout": "pac",                 what "PR" prints (a stream SPEC, see TextStream.h)
//   "stream": {"spec": "gloss 85 55.1,54.9", "delayMs": 1000},   sent once after the start
//   "faults": [{"kind": "no-reply", "mnemonic": "RE", "skip": 0, "count": 1,
//               "delayMs": 0, "text": "x?", "bytes": -1}]
// }
#include "sim/Fault.h"
#include "sim/InstrumentState.h"
#include "sim/VelaSim.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace vela::sim {

/// @brief Everything a scenario file sets.
struct Scenario {
    InstrumentState state;
    std::vector<FaultRule> faults;
    bool hasBaud = false, hasTiming = false;
    int baud = 0;
    bool timing = true;
    QByteArray stream;      ///< "stream": {"spec": "gloss 85 1,2,3", "delayMs": 1000}: sent once
    int streamDelayMs = 0;  ///< after the line opened
};

/// Parses scenario JSON on top of a model's defaults (a "model" key first resets the state).
bool parseScenario(const QByteArray& json, Scenario& scenario, QString* error = nullptr);
bool loadScenario(const QString& path, Scenario& scenario, QString* error = nullptr);

} // namespace vela::sim
