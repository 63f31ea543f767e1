// The two small instrument services of the Connect window: deleting a slot's stored samples
// and writing a new calibration date.
#include "connect/CalibrationDate.h"
#include "connect/ConnectSession.h"
#include "connect/ConnectTexts.h"
#include "link/InstrumentLink.h"
#include "platform/Dialogs.h"
#include "translation/Translator.h"

namespace vela::connect {

namespace {
const QString kKeyCaption = QStringLiteral("Calibration KeyCode");
const QString kKeyErrorCaption = QStringLiteral("Calibration KeyCode Error");
} // namespace

void ConnectSession::DeleteSamples(int slot)
{
    if (slot < 0 || slot > 2)
        return;
    const QString question = slot == 0 ? text::kDelete20 : text::kDeleteAngle;
    if (vela::TranslatedMessageBox(question, text::kDeleteCaption, platform::MB_YESNO) != platform::IDYES)
        return;
    if (!Link().SendCommand(link::cmd::kDeleteAll, slot))
        message(text::kDeleteError, text::kConnectionError);
    m_view.deleteEnabled[size_t(slot)] = false;
    changed();
}

void ConnectSession::SetCalibrationDate()
{
    if (m_expired || firmwareHundredths(m_view.firmware) < kCalibrationDateFirmware)
        return;
    const quint32 keycode = keycodeValue(
        vela::TranslatedInputBox(kKeyCaption, QStringLiteral("Enter Calibration KeyCode"), QString()));
    const QString date = vela::TranslatedInputBox(
        kKeyCaption, QStringLiteral("Enter New Calibration Date:  DD/MM/YYYY       (e.g. 05/08/2007)"), QString());
    const QString serial = vela::TranslatedInputBox(
        kKeyCaption, QStringLiteral("Enter Instrument Serial Number"), m_view.serial);
    if (keycode != CalibrationCheckValue(date, serial)) {
        message(QStringLiteral("Keycode doesn't match"), kKeyErrorCaption);
        return;
    }
    const std::array<quint16, 5> words = calibrationDateWords(date);
    link::InstrumentLink& link = Link();
    bool ok = true;
    quint32 lastReply = 0;
    for (size_t k = 0; k < words.size() && ok; ++k)
        ok = link.WriteMemoryWordQuiet(link::mem::kCalDateText + int(2 * k), words[k], &lastReply);
    ok = ok && link.SendCommand(link::cmd::kUpdateChecksum, qint32(lastReply));
    if (ok)
        message(QStringLiteral("New Calibartion Date has been successfully downloaded to instrument"), kKeyCaption);
    else
        message(QStringLiteral("Download to Instrument wasn't successfull"), kKeyErrorCaption);
}

} // namespace vela::connect
