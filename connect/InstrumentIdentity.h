#pragma once
// What the configuration word (and the opacity flag of the system data) says about the
// instrument: its model, where its angle slots lie, what the middle slot holds, how the
// buttons are labelled and which upload buttons fit it.
#include "connect/ConnectTypes.h"

#include <QString>
#include <array>

namespace vela::connect {

/// @brief The models the connect routine tells apart.
enum class InstrumentModel { Dual, Triple, Single20, Single45, Single45_0, Single60, Opacity };

/// "dual", "triple", "single20", "single45", "single45_0", "single60", "opacity".
[[nodiscard]] QString modelKey(InstrumentModel model);

/// @brief The decoded identity. Texts are English; the session translates those the window
/// shows translated.
struct InstrumentIdentity {
    quint16 configWord = 0xFFFF;
    bool opacityFlag = false;
    InstrumentModel model = InstrumentModel::Dual;
    int memoryBase = 0;
    SlotType middleSlot = SlotType::Deg60;
    /// Model label set while the word is decoded; empty when no rule names one (an opacity
    /// instrument is named only once its set-up was read).
    QString wordLabel;
    /// Model label once the set-up read succeeded.
    QString finalLabel;
    /// Whether the single-angle rules applied (they disable every button first).
    bool singleRules = false;
    /// Captions of the 60 degree upload and delete buttons and the preferences' standard label
    /// (English) after the word was decoded.
    QString upload60Caption, delete60Caption, standard60Label;
    /// Upload buttons (20, 60, 85) that fit the model.
    std::array<bool, 3> uploads{};
    /// True when the header of slot 0 is read along with slot 1 (bit 2 set).
    bool readsSlot0Header = true;
    /// True for an opacity instrument: bit 7 clear with the opacity flag set.
    [[nodiscard]] bool opacity() const;
};

/// Decodes a configuration word; bits are active low.
[[nodiscard]] InstrumentIdentity identifyInstrument(quint16 configWord, bool opacityFlag);

/// Designed captions of the upload and delete buttons (not translated).
[[nodiscard]] std::array<QString, 3> designedUploadCaptions();
[[nodiscard]] std::array<QString, 3> designedDeleteCaptions();

} // namespace vela::connect
