// The preferences dialog's controls and the texts it passes through the translation service.
#include "TPreferences.h"

#include "platform/DeviceMap.h"
#include "service/SetupValues.h"
#include "translation/Translator.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

namespace vela::service {
namespace {

QString latin1(const char* text)
{
    return QString::fromLatin1(text);
}

template <class T>
T* named(T* widget, const char* name, const char* hint = nullptr)
{
    widget->setObjectName(latin1(name));
    if (hint)
        widget->setToolTip(latin1(hint));
    return widget;
}

QLineEdit* edit(const char* name, const char* text, const char* hint, bool readOnly = false)
{
    auto* e = named(new QLineEdit(latin1(text)), name, hint);
    e->setReadOnly(readOnly);
    e->setMinimumWidth(80);
    e->setMaximumWidth(100);
    return e;
}

QLabel* label(const char* text, QWidget* buddy)
{
    auto* l = new QLabel(latin1(text));
    l->setBuddy(buddy);
    return l;
}

void translate(QWidget* w)
{
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(vela::TranslateText(b->text()));
    else if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(vela::TranslateText(l->text()));
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        g->setTitle(vela::TranslateText(g->title()));
}

void translateHint(QWidget* w)
{
    w->setToolTip(vela::TranslateText(w->toolTip()));
}

constexpr const char* kTargetHint = "Enter target gloss on calibration standard";

} // namespace

void TPreferences::buildPortGroup()
{
    gbCommunicationPort = named(new QGroupBox(latin1("Communication Port")), "gbCommunicationPort",
                                "Select communication port used to connect to instrument");
    auto* grid = new QGridLayout(gbCommunicationPort);
    m_ports = new QButtonGroup(this);
    AutoDetect = named(new QRadioButton(latin1("Auto Detect")), "AutoDetect",
                       "Auto Detect will attempt to find the Vela-DuzirIriz Instrument Remember "
                       "to have the instrument connected and on.");
    m_ports->addButton(AutoDetect, 0);
    grid->addWidget(AutoDetect, 0, 0, 1, 2);
    for (int i = 0; i < 8; ++i) {
        const QByteArray name = "Com" + QByteArray::number(i + 1);
        Com[size_t(i)] = named(new QRadioButton(latin1(name.constData())), name.constData());
        m_ports->addButton(Com[size_t(i)], i + 1);
        const QString device = platform::deviceForComPort(i + 1);
        lbComDevice[size_t(i)] = named(new QLabel(device.isEmpty() ? latin1("-") : device),
                                       ("lb" + name + "Device").constData());
        lbComDevice[size_t(i)]->setAccessibleName(name + " device");
        lbComDevice[size_t(i)]->setStyleSheet(QStringLiteral("color: #555"));
        grid->addWidget(Com[size_t(i)], i + 1, 0);
        grid->addWidget(lbComDevice[size_t(i)], i + 1, 1);
    }
    cbHighSpeedComs = named(new QCheckBox(latin1("High Speed Coms")), "cbHighSpeedComs",
                            "Latest Glossmeters will allow faster communication speed. Please "
                            "refer the manual for the correct setting.");
    grid->addWidget(cbHighSpeedComs, 9, 0, 1, 2);
}

void TPreferences::buildTypeGroup()
{
    gbSoftwarePreference = named(new QGroupBox(latin1("Software Preference")),
                                 "gbSoftwarePreference", "Your Software Preferences");
    auto* soft = new QVBoxLayout(gbSoftwarePreference);
    cbDoubleClickTagChange = named(new QCheckBox(latin1("Double Click Tag Change")),
                                   "cbDoubleClickTagChange", "Enable double click to change tag condition");
    soft->addWidget(cbDoubleClickTagChange);

    gbInstrumentType = named(new QGroupBox(latin1("Instrument Type")), "gbInstrumentType",
                             "Select the Instrument type you are connecting to");
    auto* types = new QVBoxLayout(gbInstrumentType);
    m_types = new QButtonGroup(this);
    rbVelaGloss = named(new QRadioButton(latin1("Vela Gloss")), "rbVelaGloss");
    rbVelaDuzirIriz = named(new QRadioButton(latin1("Vela Gloss Lite && Deda")), "rbVelaDuzirIriz");
    rbVelaCurve = named(new QRadioButton(latin1("Vela Curve")), "rbVelaCurve");
    rbVelaPac = named(new QRadioButton(latin1("Vela Pac")), "rbVelaPac");
    rbVelaCurveVerion3 = named(new QRadioButton(latin1("Vela Curve Verion3")), "rbVelaCurveVerion3");
    for (QRadioButton* rb : {rbVelaGloss, rbVelaDuzirIriz, rbVelaCurve, rbVelaPac, rbVelaCurveVerion3}) {
        m_types->addButton(rb);
        types->addWidget(rb);
    }
    rbVelaDuzirIriz->setChecked(true);
    lbAdditionalInstruments = named(new QLabel(latin1("Additional Instuments")), "lbAdditionalInstruments");
    lbAdditionalInstruments->setVisible(false);
    types->addWidget(lbAdditionalInstruments);
}

void TPreferences::buildConfigurationGroup()
{
    gbInstrumentConfiguration =
        named(new QGroupBox(latin1("Instrument Configuration")), "gbInstrumentConfiguration",
              "Basic instrumentation configuration parameters for Vela-DuzirIriz");
    auto* form = new QFormLayout(gbInstrumentConfiguration);
    cbAutomaticCalibration = named(new QCheckBox(latin1("Automatic Calibration")), "cbAutomaticCalibration",
                                   "Enables Automatic Calibration for target gloss levels set");
    form->addRow(cbAutomaticCalibration);
    SetupTargetGloss20 = edit("SetupTargetGloss20", "88.0", kTargetHint);
    SetupTargetGloss60 = edit("SetupTargetGloss60", "93.0", kTargetHint);
    SetupTargetGloss85 = edit("SetupTargetGloss85", "93.0", kTargetHint);
    lbTarget20 = named(label("20 \xb0 Gloss Standard", SetupTargetGloss20), "lbTarget20");
    lbTarget60 = named(label("60 \xb0 Gloss Standard", SetupTargetGloss60), "lbTarget60");
    lbTarget85 = named(label("85 \xb0 Gloss Standard", SetupTargetGloss85), "lbTarget85");
    form->addRow(lbTarget20, SetupTargetGloss20);
    form->addRow(lbTarget60, SetupTargetGloss60);
    form->addRow(lbTarget85, SetupTargetGloss85);
    FirmwareVer = edit("FirmwareVer", "", nullptr, true);
    SerialLabel = edit("SerialLabel", "", nullptr, true);
    SerialLabel->setMaximumWidth(130);
    form->addRow(named(label("Firmware Version", FirmwareVer), "lbFirmwareVer"), FirmwareVer);
    form->addRow(named(label("Serial Number", SerialLabel), "lbSerialLabel"), SerialLabel);
    tbInstrumentOnTime = named(new QSlider(Qt::Horizontal), "tbInstrumentOnTime", "Instrument On Time");
    tbInstrumentOnTime->setRange(kOnTimeMin, kOnTimeMax);
    tbInstrumentOnTime->setSingleStep(3);
    tbInstrumentOnTime->setTickInterval(10);
    tbInstrumentOnTime->setTickPosition(QSlider::TicksBelow);
    form->addRow(named(label("On Time", tbInstrumentOnTime), "lbOnTime"), tbInstrumentOnTime);
    Languages = named(new QComboBox, "Languages", "Select Instrument Language");
    for (const char* item : kLanguageItems)
        Languages->addItem(latin1(item));
    form->addRow(named(label("Languages", Languages), "lbLanguages"), Languages);
    cbReadontimeops = named(new QCheckBox(latin1("Read on time operation")), "cbReadontimeops",
                            "Enable 30second read time");
    form->addRow(cbReadontimeops);
    // Never shown: the refresh sets it from the set-up window, and it shows or hides the limits.
    PassFailTestLimits = named(new QCheckBox(latin1("Pass Fail Test Limits"), gbInstrumentConfiguration),
                               "PassFailTestLimits", "Enable Pass Fail Limits");
    PassFailTestLimits->setVisible(false);
    auto* buttons = new QHBoxLayout;
    Setup = named(new QPushButton(latin1("&Set-up")), "Setup", "Sends new configuration to Vela-Gloss");
    ReadSetup = named(new QPushButton(latin1("&Read Set-up")), "ReadSetup",
                      "Reads the current set-up of Vela-DuzirIriz Connected");
    Setup->setEnabled(false);
    ReadSetup->setEnabled(false);
    ReadSetup->setProperty("tag", 0);
    buttons->addWidget(ReadSetup);
    buttons->addWidget(Setup);
    form->addRow(buttons);
}

void TPreferences::buildLimitsGroup()
{
    gbPassFailLimits = named(new QGroupBox(latin1("Pass Fail Limits")), "gbPassFailLimits",
                             "Pass Fail limits for each angle");
    auto* form = new QFormLayout(gbPassFailLimits);
    struct Row {
        QLineEdit** edit;
        const char* name;
        const char* text;
        const char* caption;
    };
    const Row rows[] = {
        {&HighLimit20Degree, "HighLimit20Degree", "100.0", "20 \xb0 High Limit"},
        {&LowLimit20Degree, "LowLimit20Degree", "0.0", "20 \xb0 Low Limit"},
        {&Difference20Degree, "Difference20Degree", "10.0", "20 \xb0 Difference"},
        {&HighLimit60Degree, "HighLimit60Degree", "100.0", "60 \xb0 High Limit"},
        {&LowLimit60Degree, "LowLimit60Degree", "0.0", "60 \xb0 Low Limit"},
        {&Difference60Degree, "Difference60Degree", "10.0", "60 \xb0 Difference"},
    };
    for (size_t i = 0; i < 6; ++i) {
        *rows[i].edit = edit(rows[i].name, rows[i].text, kTargetHint);
        lbLimits[i] = label(rows[i].caption, *rows[i].edit);
        form->addRow(lbLimits[i], *rows[i].edit);
    }
    gbPassFailLimits->setVisible(false);
}

void TPreferences::buildControls()
{
    buildPortGroup();
    buildTypeGroup();
    buildConfigurationGroup();
    buildLimitsGroup();
    Exit = named(new QToolButton, "Exit", "Exit");
    Exit->setText(latin1("Exit"));
    Exit->setAccessibleName(latin1("Exit"));
    auto* grid = new QGridLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(gbCommunicationPort);
    left->addWidget(gbSoftwarePreference);
    left->addStretch();
    auto* middle = new QVBoxLayout;
    middle->addWidget(gbInstrumentType);
    middle->addWidget(gbPassFailLimits);
    middle->addStretch();
    grid->addLayout(left, 0, 0);
    grid->addLayout(middle, 0, 1);
    grid->addWidget(gbInstrumentConfiguration, 0, 2);
    grid->addWidget(Exit, 1, 2, Qt::AlignRight);
}

void TPreferences::translateTexts()
{
    setWindowTitle(vela::TranslateText(windowTitle()));
    for (QWidget* w : std::initializer_list<QWidget*>{
             AutoDetect, cbHighSpeedComs, gbCommunicationPort, gbSoftwarePreference,
             gbInstrumentType, gbInstrumentConfiguration, gbPassFailLimits, lbTarget20, lbTarget60,
             findChild<QLabel*>(QStringLiteral("lbFirmwareVer")),
             findChild<QLabel*>(QStringLiteral("lbSerialLabel")),
             findChild<QLabel*>(QStringLiteral("lbOnTime")),
             findChild<QLabel*>(QStringLiteral("lbLanguages")), lbLimits[0], lbLimits[1],
             lbLimits[2], lbLimits[3], lbLimits[4], lbLimits[5], Setup, ReadSetup,
             cbAutomaticCalibration, cbReadontimeops, cbDoubleClickTagChange, rbVelaGloss,
             rbVelaDuzirIriz, rbVelaCurve, rbVelaPac, rbVelaCurveVerion3, lbAdditionalInstruments})
        translate(w);
    for (QWidget* w : std::initializer_list<QWidget*>{
             Exit, AutoDetect, cbHighSpeedComs, gbCommunicationPort, gbSoftwarePreference,
             gbInstrumentType, gbInstrumentConfiguration, gbPassFailLimits, SetupTargetGloss20,
             SetupTargetGloss60, SetupTargetGloss85, Setup, ReadSetup, cbAutomaticCalibration,
             cbReadontimeops, tbInstrumentOnTime, Languages, cbDoubleClickTagChange})
        translateHint(w);
}

} // namespace vela::service
