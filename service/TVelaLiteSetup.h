#pragma once
// `VelaLiteSetup`: the service and factory window that reads and writes the instrument's
// configuration and owns the remote-key and pot primitives that calibration, keypad and tester
// drive. Its controls bind to SetupValues; the work is done by InstrumentSetup.
#include "service/InstrumentSetup.h"

#include <QMainWindow>
#include <array>
#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;

namespace vela::service {

/// Lamp target voltages in the order 20, 60, 75, 85, 45, 45/0 degrees (volts).
using LampTargets = std::array<float, 6>;

/// @brief The set-up window (`TVelaLiteSetup`). Created once at start-up, hidden; other windows
/// fill its fields and call its operations, then read the results back from its fields.
class TVelaLiteSetup : public QMainWindow {
    Q_OBJECT
public:
    /// link: nullptr uses the program's instrument link.
    explicit TVelaLiteSetup(QWidget* parent = nullptr, link::InstrumentLink* link = nullptr);
    ~TVelaLiteSetup() override;

    // --- Operations -------------------------------------------------------------------
    void ReadSetupClick();
    void SetupClick();
    void SetSerialNoClick();
    void SoakTestClick();
    void ResetAllClick();
    void SwitchOffClick();
    void AngleSetupClick();
    void ToggleAlwaysOnClick();
    void GainChangeClick();
    void NoneStatsModeClick();
    bool SetStatsMode(bool on);
    void SetCorrectionClick();
    void SetRefPot(int level);
    void SetSignalPot(int level);
    void TBRefDiodeKeyUp();
    void TBSignalDiodeKeyUp();
    void TBRefDiodeChange();
    void TBSignalDiodeChange();
    void RefPotExit();
    void SignalPotExit();
    void RefreshReading();
    bool TakeReading(bool releaseKey);
    void PressAngleKey();
    void GlossClick();
    void EnableComsErrorsClick();
    void tbInstrumentOnTimeChange();
    void Configuration1Click();
    void Programming1Click();
    void Exit1Click();

    // --- State --------------------------------------------------------------------------
    [[nodiscard]] InstrumentSetup& core() { return m_setup; }
    [[nodiscard]] bool busy() const { return m_setup.Busy(); }
    [[nodiscard]] bool comsErrors() const { return m_comsErrors; }
    /// The read-done mark (the tag of "&Read Set-up").
    [[nodiscard]] int readDoneMark() const;
    [[nodiscard]] bool setupCompleted() const { return m_setup.SetupCompleted(); }
    /// The success tag of "&Set-up".
    [[nodiscard]] int setupTag() const;
    [[nodiscard]] int& progressCounter() { return m_progress; }
    [[nodiscard]] const LampTargets& lampTargets() const { return m_lampTargets; }
    [[nodiscard]] const QString& programFolder() const { return m_programFolder; }
    /// Current gain range (the gain label's tag): nonzero = divide by 10.
    [[nodiscard]] int gainTag() const;
    /// Stats mode (the stats label's tag): nonzero = non-stats mode.
    [[nodiscard]] int statsTag() const;

    /// The values the controls hold now, and the controls set from values.
    [[nodiscard]] SetupValues values() const;
    void showValues(const SetupValues& values);

    /// The limit edits the set-up sends and fills, in the order 20 degree high, low, difference,
    /// then 60 degree high, low, difference: the interface window's once bound (its own group
    /// is then hidden), else this window's own.
    void bindInterfaceLimits(const std::array<QLineEdit*, 6>& edits);
    [[nodiscard]] std::array<QLineEdit*, 6> limitEdits() const;

    /// Hooks the program wires when the other windows exist: reopening the serial port when the
    /// window is shown, and opening the interface and programming windows.
    void setReopenPort(std::function<void()> fn) { m_reopenPort = std::move(fn); }
    void setShowInterface(std::function<void()> fn) { m_showInterface = std::move(fn); }
    void setShowProgramming(std::function<void(const QString& folder)> fn)
    {
        m_showProgramming = std::move(fn);
    }

    // --- Controls (the system's names; other windows set and read them directly) ----------
    QRadioButton *RBSingle20Degree = nullptr, *RBSingle60Degree = nullptr,
                 *RBSingle45Degree = nullptr, *RBSingle45_0Degree = nullptr,
                 *RBDualAngle = nullptr, *RBTripleAngle = nullptr;
    QCheckBox *CBBrevantaInstrument = nullptr, *CBStatsInstrument = nullptr,
              *PassFailTestLimits = nullptr, *cbUseDivideby10Ranging = nullptr,
              *cbReadontimeops = nullptr, *cbEnableCorrection = nullptr,
              *AutoCalibration = nullptr, *EnableComsErrors = nullptr;
    QLineEdit *DefWord = nullptr, *FirmwareVer = nullptr, *SerialLabel = nullptr,
              *Prefix = nullptr, *Year = nullptr, *Month = nullptr, *SerialNo = nullptr,
              *Suffix = nullptr;
    QLineEdit *SetupTargetGloss20 = nullptr, *SetupTargetGloss60 = nullptr,
              *SetupTargetGloss85 = nullptr, *MirrorConnection20 = nullptr,
              *MirrorCorrection60 = nullptr, *MinSupplyVoltage = nullptr,
              *BulbSettingTime = nullptr, *MaxGlossCalibChange = nullptr,
              *DivideBy10Range = nullptr;
    QLineEdit *HighLimit20Degree = nullptr, *LowLimit20Degree = nullptr,
              *Difference20Degree = nullptr, *HighLimit60Degree = nullptr,
              *LowLimit60Degree = nullptr, *Difference60Degree = nullptr;
    QComboBox* Languages = nullptr;
    QSlider *tbInstrumentOnTime = nullptr, *TBRefDiode = nullptr, *TBSignalDiode = nullptr;
    QLineEdit *RefPot = nullptr, *SignalPot = nullptr;
    QLineEdit *Gloss = nullptr, *Angle = nullptr, *NoSamples = nullptr;
    QLabel *lbAlwaysOn = nullptr, *lbGainRange = nullptr, *lbStatsMode = nullptr;
    QPushButton *ReadSetup = nullptr, *Setup = nullptr, *SetSerialNo = nullptr,
                *SoakTest = nullptr, *ResetAll = nullptr, *SwitchOff = nullptr,
                *AngleSetup = nullptr, *ToggleAlwaysOn = nullptr, *GainChange = nullptr,
                *NoneStatsMode = nullptr, *SetCorrection = nullptr, *EepromDump = nullptr,
                *btReadKey = nullptr, *btAngleKey = nullptr;
    QGroupBox *gbModel = nullptr, *gbDataLogging = nullptr, *gbPassFailLimits = nullptr;
    QAction *Configuration1 = nullptr, *Programming1 = nullptr, *Graph1 = nullptr,
            *Results1 = nullptr, *Exit1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void connectHandlers();
    void readSettings();
    void applyFactoryState();
    void showMessages(const Outcome& outcome, bool always);
    void showReading(const LiveReading& reading);
    void setPotControls(bool reference, int level);
    [[nodiscard]] SetupModel checkedModel() const;
    void checkModel(SetupModel model);

    InstrumentSetup m_setup;
    bool m_comsErrors = false;
    int m_progress = 0;
    LampTargets m_lampTargets{};
    double m_maxGlossCalibChange = 10.0;
    QString m_programFolder;
    std::array<QLineEdit*, 6> m_interfaceLimits{};
    std::function<void()> m_reopenPort, m_showInterface;
    std::function<void(const QString&)> m_showProgramming;
};

/// Reads a "Panel Vela Lite Setup" real the way the window does (default when missing).
[[nodiscard]] LampTargets readLampTargets();

} // namespace vela::service

/// The program's set-up window.
extern vela::service::TVelaLiteSetup* VelaLiteSetup;
