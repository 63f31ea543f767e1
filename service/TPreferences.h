#pragma once
// `Preferences`: the operator's choices that other windows read (port, speed, instrument type,
// double-click tagging) and a short form of the instrument configuration that it hands to the
// set-up window to read or write.
#include <QDialog>
#include <array>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QToolButton;

namespace vela::service {

class TVelaLiteSetup;

/// @brief The preferences dialog (`TPreferences`). Created once at start-up, hidden; the main
/// window's Preferences command calls ShowPreferences(), the connect routine
/// ReadInstrumentSetup() and reads the choices through the accessors.
class TPreferences : public QDialog {
    Q_OBJECT
public:
    /// setup: the set-up window whose operations the dialog runs (nullptr: the global
    /// VelaLiteSetup at the time of use).
    explicit TPreferences(QWidget* parent = nullptr, TVelaLiteSetup* setup = nullptr);
    ~TPreferences() override;

    // --- Operations -----------------------------------------------------------------------
    void ShowPreferences();
    /// The Read Set-up flow: "LB" probe, the set-up window's read, refresh, timer restart.
    void ReadInstrumentSetup();
    void ReadSetupClick();
    void SetupClick();
    void Com1Click();
    void rbVelaDuzirIrizClick();
    void tbInstrumentOnTimeChange();
    void PassFailTestLimitsClick();
    void ExitClick();
    /// The refresh run on every show and after a read.
    void Refresh();

    // --- What the other windows read --------------------------------------------------------
    /// 0 = find the instrument on any port, 1..8 = that COM port; other values are possible
    /// (from the settings file) until the dialog is shown or the connect routine replaces them.
    [[nodiscard]] int port() const { return m_port; }
    void setPort(int port) { m_port = port; }
    [[nodiscard]] bool highSpeedComs() const;
    [[nodiscard]] bool commandProtocolType() const;   ///< Lite & Deda or Curve Version 3
    [[nodiscard]] bool velaGloss() const;
    [[nodiscard]] bool velaCurve() const;
    [[nodiscard]] bool velaPac() const;
    [[nodiscard]] bool velaDuzirIriz() const;
    [[nodiscard]] bool velaCurveVersion3() const;
    [[nodiscard]] bool doubleClickTagChange() const;
    /// The read flag (tag of ReadSetup): a configuration was read from the instrument.
    [[nodiscard]] int readFlag() const;
    void setReadFlag(int flag);
    /// The connect routine enables or disables both buttons when a connection starts/expires.
    void setSetupButtonsEnabled(bool enabled);
    [[nodiscard]] int onTimePosition() const;

    /// Hooks of the connect window: whether its connection has expired, and restarting its
    /// connection timer at 60000 ms (stop, clear the expired flag, set the interval, start).
    void setConnectionExpired(std::function<bool()> fn) { m_expired = std::move(fn); }
    void setRestartConnectionTimer(std::function<void()> fn) { m_restartTimer = std::move(fn); }

    // --- Controls ----------------------------------------------------------------------------
    std::array<QRadioButton*, 8> Com{};     ///< Com1..Com8
    std::array<QLabel*, 8> lbComDevice{};   ///< the device each Com button means
    QRadioButton* AutoDetect = nullptr;
    QCheckBox *cbHighSpeedComs = nullptr, *cbDoubleClickTagChange = nullptr;
    QRadioButton *rbVelaGloss = nullptr, *rbVelaDuzirIriz = nullptr, *rbVelaCurve = nullptr,
                 *rbVelaPac = nullptr, *rbVelaCurveVerion3 = nullptr;
    QLabel* lbAdditionalInstruments = nullptr;
    QCheckBox *cbAutomaticCalibration = nullptr, *cbReadontimeops = nullptr,
              *PassFailTestLimits = nullptr;
    QLineEdit *SetupTargetGloss20 = nullptr, *SetupTargetGloss60 = nullptr,
              *SetupTargetGloss85 = nullptr, *FirmwareVer = nullptr, *SerialLabel = nullptr;
    QLabel *lbTarget20 = nullptr, *lbTarget60 = nullptr, *lbTarget85 = nullptr;
    QSlider* tbInstrumentOnTime = nullptr;
    QComboBox* Languages = nullptr;
    QLineEdit *HighLimit20Degree = nullptr, *LowLimit20Degree = nullptr,
              *Difference20Degree = nullptr, *HighLimit60Degree = nullptr,
              *LowLimit60Degree = nullptr, *Difference60Degree = nullptr;
    std::array<QLabel*, 6> lbLimits{};       ///< labels of the six limit edits, in that order
    QPushButton *Setup = nullptr, *ReadSetup = nullptr;
    QToolButton* Exit = nullptr;
    QGroupBox *gbCommunicationPort = nullptr, *gbSoftwarePreference = nullptr,
              *gbInstrumentType = nullptr, *gbInstrumentConfiguration = nullptr,
              *gbPassFailLimits = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void buildPortGroup();
    void buildTypeGroup();
    void buildConfigurationGroup();
    void buildLimitsGroup();
    void connectHandlers();
    void translateTexts();
    void readSettings();
    void writeSettings() const;
    void setTypeChecked(QRadioButton* button, bool checked);
    void checkPortButton(int port);
    void copyFromSetup(TVelaLiteSetup& setup);
    void showLimitRows();
    [[nodiscard]] std::array<QLineEdit*, 6> limitEdits() const;
    [[nodiscard]] TVelaLiteSetup* setupWindow() const;
    [[nodiscard]] bool expired() const { return m_expired && m_expired(); }
    void restartTimer() const
    {
        if (m_restartTimer)
            m_restartTimer();
    }

    int m_port = 0;
    TVelaLiteSetup* m_setup;
    QButtonGroup* m_types = nullptr;
    QButtonGroup* m_ports = nullptr;
    std::function<bool()> m_expired;
    std::function<void()> m_restartTimer;
};

} // namespace vela::service

/// The program's preferences dialog.
extern vela::service::TPreferences* Preferences;
