#pragma once
// What the Connect window shows, kept by the session so the window only binds to it.
#include "connect/InstrumentIdentity.h"

#include <QString>
#include <array>

namespace vela::connect {

/// @brief State of the Connect window's controls.
struct ConnectView {
    QString status;                 ///< translated status line
    int progress = 0;               ///< 0..100
    bool identityVisible = false;   ///< gbVelaDuzirIrizSetup
    QString angle, language, calibrationMode, firmware, serial, backlight, modelLabel;
    QString soakTestSamples, minSupplyVoltage;
    std::array<QString, 3> uploadCaption = designedUploadCaptions();
    std::array<bool, 3> uploadEnabled{};
    std::array<QString, 3> deleteCaption = designedDeleteCaptions();
    std::array<bool, 3> deleteEnabled{};
    bool delete20Visible = true;
};

} // namespace vela::connect
