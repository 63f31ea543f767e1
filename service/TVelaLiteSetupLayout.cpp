// The set-up window's controls, menus and factory state.
#include "TVelaLiteSetup.h"

#include "translation/Translator.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleValidator>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace vela::service {
namespace {

QString txt(const char* text)
{
    return vela::TranslateText(QString::fromLatin1(text));
}

template <class T>
T* named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLineEdit* edit(const char* name, const char* text, bool readOnly = false)
{
    auto* e = named(new QLineEdit(QString::fromLatin1(text)), name);
    e->setReadOnly(readOnly);
    e->setMinimumWidth(90);
    e->setMaximumWidth(120);
    return e;
}

QPushButton* button(const char* name, const char* caption)
{
    return named(new QPushButton(txt(caption)), name);
}

QCheckBox* check(const char* name, const char* caption, bool checked)
{
    auto* c = named(new QCheckBox(txt(caption)), name);
    c->setChecked(checked);
    return c;
}

QSlider* trackBar(const char* name, int min, int max, int step, int position)
{
    auto* t = named(new QSlider(Qt::Horizontal), name);
    t->setRange(min, max);
    t->setSingleStep(step);
    t->setPageStep(step);
    t->setValue(position);
    return t;
}

QGroupBox* group(const char* name, const char* caption)
{
    return named(new QGroupBox(txt(caption)), name);
}

} // namespace

void TVelaLiteSetup::buildControls()
{
    auto* central = new QWidget(this);
    auto* grid = new QGridLayout(central);

    // Model and options.
    gbModel = group("gbModel", "Instrument Model");
    auto* modelBox = new QVBoxLayout(gbModel);
    RBSingle20Degree = named(new QRadioButton(txt("Single 20 Degree")), "RBSingle20Degree");
    RBSingle60Degree = named(new QRadioButton(txt("Single 60 Degree")), "RBSingle60Degree");
    RBSingle45Degree = named(new QRadioButton(txt("Single 45 Degree")), "RBSingle45Degree");
    RBSingle45_0Degree = named(new QRadioButton(txt("Duo 45/0 Degree (PAC)")), "RBSingle45_0Degree");
    RBDualAngle = named(new QRadioButton(txt("Dual Angle")), "RBDualAngle");
    RBTripleAngle = named(new QRadioButton(txt("Triple Angle")), "RBTripleAngle");
    RBDualAngle->setChecked(true);
    for (QRadioButton* rb : {RBSingle20Degree, RBSingle60Degree, RBSingle45Degree,
                             RBSingle45_0Degree, RBDualAngle, RBTripleAngle})
        modelBox->addWidget(rb);

    auto* gbOptions = group("gbOptions", "Options");
    auto* options = new QFormLayout(gbOptions);
    CBBrevantaInstrument = check("CBBrevantaInstrument", "Brevanta Instrument", false);
    CBStatsInstrument = check("CBStatsInstrument", "Stats Instrument", true);
    PassFailTestLimits = check("PassFailTestLimits", "Pass Fail Test Limits", false);
    cbUseDivideby10Ranging = check("cbUseDivideby10Ranging", "Divide by 10 Ranging", true);
    cbReadontimeops = check("cbReadontimeops", "Read on time ops", false);
    cbEnableCorrection = check("cbEnableCorrection", "Enable Correction", false);
    AutoCalibration = check("AutoCalibration", "Auto Calibration", false);
    for (QCheckBox* c : {CBBrevantaInstrument, CBStatsInstrument, PassFailTestLimits,
                         cbUseDivideby10Ranging, cbReadontimeops, cbEnableCorrection, AutoCalibration})
        options->addRow(c);
    DefWord = edit("DefWord", "", true);
    options->addRow(txt("Configuration Word"), DefWord);

    // Identity.
    auto* gbIdentity = group("gbIdentity", "Instrument Identity");
    auto* identity = new QFormLayout(gbIdentity);
    FirmwareVer = edit("FirmwareVer", "", true);
    SerialLabel = edit("SerialLabel", "");
    SerialLabel->setMaxLength(15);
    Prefix = edit("Prefix", "", true);
    Year = edit("Year", "", true);
    Month = edit("Month", "", true);
    SerialNo = edit("SerialNo", "", true);
    Suffix = edit("Suffix", "", true);
    identity->addRow(txt("Firmware Version"), FirmwareVer);
    identity->addRow(txt("Serial Number"), SerialLabel);
    identity->addRow(txt("Prefix"), Prefix);
    identity->addRow(txt("Year"), Year);
    identity->addRow(txt("Month"), Month);
    identity->addRow(txt("Serial No"), SerialNo);
    identity->addRow(txt("Suffix"), Suffix);
    SetSerialNo = button("SetSerialNo", "Set Serial &No");
    identity->addRow(SetSerialNo);

    // Targets and corrections.
    auto* gbCalibration = group("gbCalibration", "Calibration");
    auto* cal = new QFormLayout(gbCalibration);
    SetupTargetGloss20 = edit("SetupTargetGloss20", "88.0");
    SetupTargetGloss60 = edit("SetupTargetGloss60", "93.0");
    SetupTargetGloss85 = edit("SetupTargetGloss85", "93.0");
    MirrorConnection20 = edit("MirrorConnection20", "0.000");
    MirrorCorrection60 = edit("MirrorCorrection60", "0.000");
    MaxGlossCalibChange = edit("MaxGlossCalibChange", "10.0");
    DivideBy10Range = edit("DivideBy10Range", "", true);
    cal->addRow(txt("20 \xb0 Gloss Standard"), SetupTargetGloss20);
    cal->addRow(txt("60 \xb0 Gloss Standard"), SetupTargetGloss60);
    cal->addRow(txt("85 \xb0 Gloss Standard"), SetupTargetGloss85);
    cal->addRow(txt("20 \xb0 Mirror Correction"), MirrorConnection20);
    cal->addRow(txt("60 \xb0 Mirror Correction"), MirrorCorrection60);
    SetCorrection = button("SetCorrection", "Set C&orrection");
    cal->addRow(SetCorrection);
    cal->addRow(txt("Max Gloss Calib Change"), MaxGlossCalibChange);
    cal->addRow(txt("Divide by 10 Range"), DivideBy10Range);

    // General settings.
    auto* gbGeneral = group("gbGeneral", "General Set-up");
    auto* general = new QFormLayout(gbGeneral);
    MinSupplyVoltage = edit("MinSupplyVoltage", "5.0");
    BulbSettingTime = edit("BulbSettingTime", "200");
    Languages = named(new QComboBox, "Languages");
    for (const char* item : kLanguageItems)
        Languages->addItem(txt(item));
    tbInstrumentOnTime = trackBar("tbInstrumentOnTime", kOnTimeMin, kOnTimeMax, 3, kOnTimeMin);
    tbInstrumentOnTime->setTickPosition(QSlider::TicksBelow);
    tbInstrumentOnTime->setTickInterval(10);
    tbInstrumentOnTime->setToolTip(txt("Instrument On Time"));
    general->addRow(txt("Min Supply Voltage"), MinSupplyVoltage);
    general->addRow(txt("Bulb Setting Time"), BulbSettingTime);
    general->addRow(txt("Languages"), Languages);
    general->addRow(txt("On Time"), tbInstrumentOnTime);

    // Pass/fail limits of the two angles the set-up sends.
    gbPassFailLimits = group("gbPassFailLimits", "Pass Fail Limits");
    auto* limits = new QFormLayout(gbPassFailLimits);
    HighLimit20Degree = edit("HighLimit20Degree", "100.0");
    LowLimit20Degree = edit("LowLimit20Degree", "0.0");
    Difference20Degree = edit("Difference20Degree", "10.0");
    HighLimit60Degree = edit("HighLimit60Degree", "100.0");
    LowLimit60Degree = edit("LowLimit60Degree", "0.0");
    Difference60Degree = edit("Difference60Degree", "10.0");
    limits->addRow(txt("20 \xb0 High Limit"), HighLimit20Degree);
    limits->addRow(txt("20 \xb0 Low Limit"), LowLimit20Degree);
    limits->addRow(txt("20 \xb0 Difference"), Difference20Degree);
    limits->addRow(txt("60 \xb0 High Limit"), HighLimit60Degree);
    limits->addRow(txt("60 \xb0 Low Limit"), LowLimit60Degree);
    limits->addRow(txt("60 \xb0 Difference"), Difference60Degree);

    // Pots.
    auto* gbPots = group("gbPots", "Diode Pots");
    auto* pots = new QFormLayout(gbPots);
    TBRefDiode = trackBar("TBRefDiode", kPotMin, kPotMax, 1, kPotDesign);
    TBSignalDiode = trackBar("TBSignalDiode", kPotMin, kPotMax, 1, kPotDesign);
    RefPot = edit("RefPot", "63");
    SignalPot = edit("SignalPot", "63");
    pots->addRow(txt("Ref Diode"), TBRefDiode);
    pots->addRow(txt("Ref Pot"), RefPot);
    pots->addRow(txt("Signal Diode"), TBSignalDiode);
    pots->addRow(txt("Signal Pot"), SignalPot);

    // Live reading and keys.
    auto* gbReading = group("gbReading", "Reading");
    auto* reading = new QFormLayout(gbReading);
    Gloss = edit("Gloss", "2000.0", true);
    Angle = edit("Angle", "", true);
    NoSamples = edit("NoSamples", "", true);
    reading->addRow(txt("Gloss"), Gloss);
    reading->addRow(txt("Angle"), Angle);
    reading->addRow(txt("No. Samples"), NoSamples);
    auto* keys = new QHBoxLayout;
    btReadKey = button("btReadKey", "Read &Key");
    btAngleKey = button("btAngleKey", "An&gle Key");
    keys->addWidget(btReadKey);
    keys->addWidget(btAngleKey);
    reading->addRow(keys);

    // Service commands.
    auto* gbService = group("gbService", "Service");
    auto* service = new QGridLayout(gbService);
    SoakTest = button("SoakTest", "Soak &Test");
    ResetAll = button("ResetAll", "Reset &All");
    AngleSetup = button("AngleSetup", "Angle Set-&up");
    SwitchOff = button("SwitchOff", "Switch O&ff");
    ToggleAlwaysOn = button("ToggleAlwaysOn", "Always On / Auto Off");
    GainChange = button("GainChange", "&Gain Range");
    NoneStatsMode = button("NoneStatsMode", "Stats &Mode");
    EepromDump = button("EepromDump", "Eeprom Dump");
    lbAlwaysOn = named(new QLabel(txt("Auto Off")), "lbAlwaysOn");
    lbGainRange = named(new QLabel(txt("Unity Gain")), "lbGainRange");
    lbStatsMode = named(new QLabel(txt("Stats Mode")), "lbStatsMode");
    EnableComsErrors = check("EnableComsErrors", "Enable Coms Errors", false);
    service->addWidget(ResetAll, 0, 0);
    service->addWidget(AngleSetup, 0, 1);
    service->addWidget(SwitchOff, 1, 0);
    service->addWidget(SoakTest, 1, 1);
    service->addWidget(ToggleAlwaysOn, 2, 0);
    service->addWidget(lbAlwaysOn, 2, 1);
    service->addWidget(GainChange, 3, 0);
    service->addWidget(lbGainRange, 3, 1);
    service->addWidget(NoneStatsMode, 4, 0);
    service->addWidget(lbStatsMode, 4, 1);
    service->addWidget(EnableComsErrors, 5, 0);
    service->addWidget(EepromDump, 5, 1);

    gbDataLogging = group("gbDataLogging", "Data Logging");

    auto* buttons = new QHBoxLayout;
    ReadSetup = button("ReadSetup", "&Read Set-up");
    Setup = button("Setup", "&Set-up");
    buttons->addStretch();
    buttons->addWidget(ReadSetup);
    buttons->addWidget(Setup);

    grid->addWidget(gbModel, 0, 0);
    grid->addWidget(gbOptions, 1, 0, 2, 1);
    grid->addWidget(gbIdentity, 0, 1);
    grid->addWidget(gbGeneral, 1, 1);
    grid->addWidget(gbPassFailLimits, 2, 1);
    grid->addWidget(gbCalibration, 0, 2);
    grid->addWidget(gbPots, 1, 2);
    grid->addWidget(gbReading, 2, 2);
    grid->addWidget(gbService, 0, 3, 2, 1);
    grid->addWidget(gbDataLogging, 2, 3);
    grid->addLayout(buttons, 3, 0, 1, 4);
    setCentralWidget(central);
}

void TVelaLiteSetup::buildMenus()
{
    QMenu* file = menuBar()->addMenu(txt("&File"));
    file->setObjectName(QStringLiteral("File1"));
    Configuration1 = named(menuBar()->addAction(txt("&Configuration")), "Configuration1");
    Programming1 = named(menuBar()->addAction(txt("&Programming")), "Programming1");
    Graph1 = named(menuBar()->addAction(txt("&Graph")), "Graph1");
    Results1 = named(menuBar()->addAction(txt("&Results")), "Results1");
    Exit1 = named(file->addAction(txt("E&xit")), "Exit1");
}

void TVelaLiteSetup::applyFactoryState()
{
    Configuration1->setVisible(false);
    Programming1->setVisible(false);
    Graph1->setEnabled(false);
    Results1->setEnabled(false);
    for (QRadioButton* rb : {RBSingle20Degree, RBSingle60Degree, RBSingle45Degree,
                             RBSingle45_0Degree, RBDualAngle, RBTripleAngle})
        rb->setEnabled(false);
    PassFailTestLimits->setEnabled(false);
    SetSerialNo->setEnabled(false);
    CBBrevantaInstrument->setEnabled(false);
    CBBrevantaInstrument->setChecked(false);
    CBBrevantaInstrument->setVisible(false);
    gbDataLogging->setVisible(false);
    SoakTest->setVisible(false);
    EepromDump->setVisible(false);
    Suffix->setVisible(false);
    if (auto* form = qobject_cast<QFormLayout*>(Suffix->parentWidget()->layout()))
        form->setRowVisible(Suffix, false);
    lbAlwaysOn->setVisible(false);
    lbGainRange->setProperty("tag", 0);
    lbStatsMode->setProperty("tag", 0);
    ReadSetup->setProperty("tag", 0);
    Setup->setProperty("tag", 0);
}

} // namespace vela::service
