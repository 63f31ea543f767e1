#pragma once
// The instrument interface window: a service view of the instrument link. Its fields show
// what the last system-data and results-data reads found; its buttons choose port and baud.
#include "link/InstrumentLink.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;

namespace vela::link {

/// @brief "Vela Lite Interface": binds its controls to an InstrumentLink (the program's one
/// link by default) and shows the data that link reads.
class TVelaLiteInterface : public QWidget {
    Q_OBJECT
public:
    explicit TVelaLiteInterface(InstrumentLink& link = instrumentLink(), QWidget* parent = nullptr);
    ~TVelaLiteInterface() override;

    [[nodiscard]] InstrumentLink& Link() { return m_link; }

    /// Reads the saved port and baud buttons and applies them; a button that becomes checked
    /// runs its click, so the port opens at the saved port and rate. Saved choices that match
    /// the buttons open nothing.
    void ApplySavedPortSettings();
    /// Writes placement and button states (also done when the window is destroyed).
    void SaveSettings();

    // Handlers of the window's controls.
    void LoadSysDataClick();
    void ReadResultsDataClick();
    void Com1Click();
    void Com2Click();
    void RB9600Click();
    void RB4800Click();
    void tbInstrumentOnTimeChange();

    // Controls read by other windows.
    QLineEdit* Angle = nullptr;
    QCheckBox* SingleAngleInst = nullptr;
    QCheckBox* cbOpacity = nullptr;
    QCheckBox* NonStats = nullptr;
    QCheckBox* BacklightOn = nullptr;
    QLineEdit* Language = nullptr;
    QLineEdit* CalibrationMode = nullptr;
    QLineEdit* MinSupplyVoltage = nullptr;
    QSlider* tbInstrumentOnTime = nullptr;
    QLineEdit* BulbSettingTime = nullptr;
    QLineEdit* SoakTestSamples = nullptr;
    std::array<QLineEdit*, 3> Samples{};      ///< Samples20Degree / 60 / 85
    std::array<QLineEdit*, 3> Gain{};         ///< Gain20degree / 60 / 85
    std::array<QLineEdit*, 3> Offset{};       ///< Offset20degree / 60 / 85
    std::array<QLineEdit*, 3> HighLimit{};    ///< HighLimit20Degree / 60 / 85
    std::array<QLineEdit*, 3> LowLimit{};
    std::array<QLineEdit*, 3> Difference{};
    std::array<QLineEdit*, 3> SourcePot{};    ///< SourcePot20 / 60 / 85
    std::array<QLineEdit*, 3> RecPot{};       ///< RecPot20 / 60 / 85
    QPushButton* LoadSysData = nullptr;
    QPushButton* ReadResultsData = nullptr;
    QRadioButton* Com1 = nullptr;
    QRadioButton* Com2 = nullptr;
    QRadioButton* RB9600 = nullptr;
    QRadioButton* RB4800 = nullptr;

private:
    QGroupBox* buildSystemGroup();
    QGroupBox* buildResultsGroup();
    QGroupBox* buildLimitsGroup();
    QGroupBox* buildSetupGroup();
    QGroupBox* buildPortGroups();
    void showSystemData();
    void showSlotHeader(int slot);
    void markCountNotValid(int slot);
    void runRead(bool (InstrumentLink::*read)(int), int slotType);
    void openPort(int port, const QString& failure);

    InstrumentLink& m_link;
    bool m_settingsSaved = false;
};

} // namespace vela::link

/// The program's interface window (created by the start-up code).
extern vela::link::TVelaLiteInterface* VelaLiteInterface;
