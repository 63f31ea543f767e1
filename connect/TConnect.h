#pragma once
// The Connect window: shows the connect session's status, progress and the identity of the
// instrument, and carries the connect, upload and delete buttons.
#include "connect/ConnectSession.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace vela::service {
class TPreferences;
class TVelaLiteSetup;
}

namespace vela::connect {

/// @brief `Connect`: a tool window that stays on top. Created once at start-up, hidden; the
/// main window's Connect command calls ShowConnect().
class TConnect : public QDialog {
    Q_OBJECT
public:
    /// link: nullptr uses the program's instrument link.
    explicit TConnect(QWidget* parent = nullptr, link::InstrumentLink* link = nullptr);
    ~TConnect() override;

    // --- Operations ------------------------------------------------------------------------
    bool ShowConnect(const QString& programDirectory, int serviceFlag);
    bool ConnectInstrument(bool highSpeed, int angle);
    void btConnectClick();
    void btExitClick();
    void btDegree20Click();
    void btDegree60Click();
    void btDegree85Click();
    void DeleteAll20Click();
    void DeleteAll60Click();
    void DeleteAll85Click();
    /// The connection timer's tick (Timer1).
    void Timer1Timer();

    /// Binds the preferences dialog and the set-up window (nullptr: the program's globals at
    /// the time of use), and gives the preferences the connection hooks.
    void bindPreferences(service::TPreferences* preferences = nullptr,
                         service::TVelaLiteSetup* setup = nullptr);
    /// Binds the results chart (the program's frmResultsChart at the time of use).
    void bindResultsChart();
    /// The analysis sheet's entry points, bound once the sheet exists.
    void setSheetHooks(std::function<void(const QString&)> addGloss, std::function<void()> countPassRows,
                       std::function<void(const QString&)> addOpacity, std::function<void()> writeBackTags);

    [[nodiscard]] ConnectSession& session() { return m_session; }
    [[nodiscard]] bool expired() const { return m_session.expired(); }
    /// High Speed Comms of the preferences (false without them).
    [[nodiscard]] bool highSpeed() const;

    // --- Controls (the system's names) -------------------------------------------------------
    QToolButton *btConnect = nullptr, *btExit = nullptr;
    QLabel *lbStatus = nullptr, *lbVelaGlossConnectMessage = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QGroupBox* gbVelaDuzirIrizSetup = nullptr;
    QLineEdit *Angle = nullptr, *Language = nullptr, *CalibrationMode = nullptr,
              *FirmwareVer = nullptr, *SerialLabel = nullptr;
    QLabel *lbAngle = nullptr, *lbLanguage = nullptr, *lbCalibrationMode = nullptr,
           *lbFirmwareVer = nullptr, *lbSerialNumber = nullptr, *BacklightOn = nullptr,
           *lbDualAngle = nullptr;
    QLineEdit *MinSupplyVoltage = nullptr, *SoakTestSamples = nullptr;
    QLabel *lbMinSupplyVoltage = nullptr, *lbSoakTestSamples = nullptr;
    QCheckBox* SingleAngleInst = nullptr;
    std::array<QPushButton*, 3> btDegree{};     ///< btDegree20, btDegree60, btDegree85
    std::array<QToolButton*, 3> DeleteAll{};    ///< DeleteAll20, DeleteAll60, DeleteAll85
    std::array<QCheckBox*, 3> Degree{};         ///< Degree20, Degree60, Degree85 (hidden)
    std::array<QFrame*, 3> Bevel{};

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildControls();
    QWidget* buildIdentityGroup();
    QWidget* buildAngleRow(int slot);
    void translateTexts();
    void connectHandlers();
    void refresh();
    void applyTypeVisibility();
    void setServiceFieldsVisible(bool visible);
    void upload(int angle);
    void deleteSlot(int slot);
    [[nodiscard]] bool velaGlossType() const;

    ConnectSession m_session;
    bool m_preferencesBound = false;
};

/// For the main window: a live connection exists, and switching the instrument off on Exit.
[[nodiscard]] bool InstrumentConnected();
void SwitchOff();
/// The main window's Ctrl+W: the calibration-date service.
void CalDate();

} // namespace vela::connect

/// The program's Connect window.
extern vela::connect::TConnect* Connect;
