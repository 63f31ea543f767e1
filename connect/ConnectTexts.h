#pragma once
// The operator texts of the connect routine (English keys of the translation table).
#include <QString>

namespace vela::connect::text {

inline const QString kConnectionError = QStringLiteral("Connection Error");
inline const QString kMakeSure = QStringLiteral(
    "Make sure instrument is ON and connected to serial com port before clicking on the Connect button.");
inline const QString kNotFoundAny = QStringLiteral(
    "Vela-DuzirIriz was not found on any of the avaliable communication ports. Check instrument is ON and connected to serial com port.");
inline const QString kPortNotAvailable = QStringLiteral(
    "Communication port not avaliable use Prefeneces Dialogue to select another serial port.");
inline const QString kNotFoundSelected = QStringLiteral(
    "Vela-DuzirIriz was not found on selected communication ports. Check instrument is ON and connected to serial com port.");
inline const QString kOpeningPort = QStringLiteral("Opening Port");
inline const QString kConnecting = QStringLiteral("Connecting to Vela-DuzirIriz");
inline const QString kEstablished = QStringLiteral("Connection established OK");
inline const QString kPortOpen = QStringLiteral("Communication port open");
inline const QString kSystemData = QStringLiteral("System Data uploaded OK");
inline const QString kBackLightOn = QStringLiteral("Back Light On");
inline const QString kBackLightOff = QStringLiteral("Back Light Off");
inline const QString kDownloaded = QStringLiteral("Connection established and data down loaded correctly");
inline const QString kPressButtons = QStringLiteral(
    "Please output the results by pressing 2nd button first and then Output button on the instrument.");
inline const QString kUploading = QStringLiteral("Uploading Samples. Please Wait!");
inline const QString kUploadError = QStringLiteral(
    "Vela-DuzirIriz Results upload error . Check instrument is ON and connected to serial com port.");
inline const QString kNoSamples = QStringLiteral("No samples to display");
inline const QString kChartRaw = QStringLiteral("Chart displays raw samples uploaded from instrument.");
inline const QString kBadCount = QStringLiteral(
    "The instrument reports more samples than a slot can hold. Nothing was saved.");
inline const QString kOpacityPrompt = QStringLiteral(
    "If NO results uploaded automatically then scroll to Output on the instrument and press Read button.");
inline const QString kCommenced = QStringLiteral(
    "Upload Commenced. If progress bar continues after instrument output stops press Connect and upload again.");
inline const QString kCompleted = QStringLiteral("Upload Completed! Press Connect to upload again.");
inline const QString kIncomplete = QStringLiteral(
    "Uploaded data Error incomplete data. Press Connect and upload again.");
inline const QString kStreamRejected = QStringLiteral(
    "Uploaded data Error: the results could not be read. Nothing was saved. Press Connect and upload again.");
inline const QString kLineLost = QStringLiteral(
    "The instrument was disconnected during the upload. Press Connect and upload again.");
inline const QString kDeleteCaption = QStringLiteral("Connection Instruction");
inline const QString kDelete20 = QStringLiteral("Do you wish to delete all 20\u00B0 samples held in the Gloss Meter");
inline const QString kDeleteAngle = QStringLiteral("Do you wish to delete angle samples held in the Gloss Meter");
inline const QString kDeleteError = QStringLiteral(
    "Vela-DuzirIriz Delete results error. Check instrument is ON and connected to serial com port.");

} // namespace vela::connect::text
