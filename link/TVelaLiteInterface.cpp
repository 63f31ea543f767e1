#include "TVelaLiteInterface.h"

#include "link/FloatFormat.h"
#include "platform/Dialogs.h"
#include "platform/PrivateProfile.h"
#include "platform/WindowPlacement.h"
#include "translation/Translator.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

vela::link::TVelaLiteInterface* VelaLiteInterface = nullptr;

namespace vela::link {
namespace {

const QString kSection = QStringLiteral("Panel Vela Lite Interface");
const char* const kAngleSuffix[3] = {"20", "60", "85"};

QString tr8(const char* text)
{
    return vela::TranslateText(QString::fromUtf8(text));
}

QLineEdit* field(QWidget* owner, const QString& name, const QString& text = {}, bool readOnly = true)
{
    auto* edit = new QLineEdit(text, owner);
    edit->setObjectName(name);
    edit->setReadOnly(readOnly);
    edit->setMinimumWidth(80);
    return edit;
}

template <class T>
T* named(T* widget, const QString& name)
{
    widget->setObjectName(name);
    widget->setAccessibleName(widget->objectName());
    return widget;
}

/// A label that names its field for screen readers.
QLabel* labelFor(const char* caption, QWidget* buddy)
{
    auto* label = new QLabel(tr8(caption));
    label->setBuddy(buddy);
    buddy->setAccessibleName(label->text());
    return label;
}

/// Runs a read with the hourglass cursor and both read buttons disabled.
class BusyScope {
public:
    BusyScope(QPushButton* a, QPushButton* b) : m_a(a), m_b(b)
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_a->setEnabled(false);
        m_b->setEnabled(false);
    }
    ~BusyScope()
    {
        m_a->setEnabled(true);
        m_b->setEnabled(true);
        QApplication::restoreOverrideCursor();
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    QPushButton* m_a;
    QPushButton* m_b;
};

} // namespace

TVelaLiteInterface::TVelaLiteInterface(InstrumentLink& link, QWidget* parent)
    : QWidget(parent), m_link(link)
{
    setObjectName(QStringLiteral("VelaLiteInterface"));
    setWindowTitle(tr8("Vela Lite Interface"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(buildSystemGroup(), 0, 0, 2, 1);
    grid->addWidget(buildResultsGroup(), 0, 1);
    grid->addWidget(buildLimitsGroup(), 1, 1);
    grid->addWidget(buildSetupGroup(), 2, 1);
    grid->addWidget(buildPortGroups(), 2, 0);
    connect(&m_link, &InstrumentLink::systemDataRead, this, &TVelaLiteInterface::showSystemData);
    connect(&m_link, &InstrumentLink::slotHeaderStarted, this, &TVelaLiteInterface::markCountNotValid);
    connect(&m_link, &InstrumentLink::slotHeaderRead, this, &TVelaLiteInterface::showSlotHeader);
    platform::restorePlacement(this, kSection);
}

TVelaLiteInterface::~TVelaLiteInterface()
{
    if (!m_settingsSaved)
        SaveSettings();
    m_link.Comms().Close();
    if (VelaLiteInterface == this)
        VelaLiteInterface = nullptr;
}

QGroupBox* TVelaLiteInterface::buildSystemGroup()
{
    auto* box = named(new QGroupBox(tr8("EEprom System Data"), this), QStringLiteral("gbSystemData"));
    auto* form = new QFormLayout(box);
    LoadSysData = named(new QPushButton(tr8("Read Sys Data"), box), QStringLiteral("LoadSysData"));
    connect(LoadSysData, &QPushButton::clicked, this, &TVelaLiteInterface::LoadSysDataClick);
    form->addRow(LoadSysData);
    Angle = field(box, QStringLiteral("Angle"));
    form->addRow(labelFor("Angle", Angle), Angle);
    SingleAngleInst = named(new QCheckBox(tr8("Single Angle Inst."), box), QStringLiteral("SingleAngleInst"));
    cbOpacity = named(new QCheckBox(tr8("Opacity"), box), QStringLiteral("cbOpacity"));
    NonStats = named(new QCheckBox(tr8("Non Stats Mode"), box), QStringLiteral("NonStats"));
    BacklightOn = named(new QCheckBox(tr8("Backlight On"), box), QStringLiteral("BacklightOn"));
    for (QCheckBox* c : {SingleAngleInst, cbOpacity, NonStats, BacklightOn})
        form->addRow(c);
    Language = field(box, QStringLiteral("Language"));
    Language->setProperty("tag", -1);
    form->addRow(labelFor("Language", Language), Language);
    CalibrationMode = field(box, QStringLiteral("CalibrationMode"));
    form->addRow(labelFor("Calibration Mode", CalibrationMode), CalibrationMode);
    MinSupplyVoltage = field(box, QStringLiteral("MinSupplyVoltage"));
    form->addRow(labelFor("Min Supply Voltage", MinSupplyVoltage), MinSupplyVoltage);
    tbInstrumentOnTime = named(new QSlider(Qt::Horizontal, box), QStringLiteral("tbInstrumentOnTime"));
    tbInstrumentOnTime->setRange(30, 120);
    connect(tbInstrumentOnTime, &QSlider::valueChanged, this, &TVelaLiteInterface::tbInstrumentOnTimeChange);
    form->addRow(labelFor("Instrument On Time", tbInstrumentOnTime), tbInstrumentOnTime);
    tbInstrumentOnTimeChange();
    BulbSettingTime = field(box, QStringLiteral("BulbSettingTime"));
    form->addRow(labelFor("Bulb Settling Time", BulbSettingTime), BulbSettingTime);
    SoakTestSamples = field(box, QStringLiteral("SoakTestSamples"));
    form->addRow(labelFor("Soak Test Samples", SoakTestSamples), SoakTestSamples);
    return box;
}

QGroupBox* TVelaLiteInterface::buildResultsGroup()
{
    auto* box = named(new QGroupBox(tr8("Results Data"), this), QStringLiteral("gbResultsData"));
    auto* grid = new QGridLayout(box);
    ReadResultsData = named(new QPushButton(tr8("Read Results Data"), box), QStringLiteral("ReadResultsData"));
    connect(ReadResultsData, &QPushButton::clicked, this, &TVelaLiteInterface::ReadResultsDataClick);
    grid->addWidget(ReadResultsData, 0, 0, 1, 4);
    const char* rows[] = {"Samples", "Gain", "Offset"};
    for (int r = 0; r < 3; ++r)
        grid->addWidget(new QLabel(tr8(rows[r]), box), r + 2, 0);
    for (int s = 0; s < 3; ++s) {
        const QString a = QString::fromLatin1(kAngleSuffix[s]);
        grid->addWidget(new QLabel(a + QStringLiteral(" °"), box), 1, s + 1, Qt::AlignCenter);
        Samples[size_t(s)] = field(box, QStringLiteral("Samples%1Degree").arg(a));
        Samples[size_t(s)]->setProperty("tag", 0);
        Gain[size_t(s)] = field(box, QStringLiteral("Gain%1degree").arg(a));
        Offset[size_t(s)] = field(box, QStringLiteral("Offset%1degree").arg(a));
        grid->addWidget(Samples[size_t(s)], 2, s + 1);
        grid->addWidget(Gain[size_t(s)], 3, s + 1);
        grid->addWidget(Offset[size_t(s)], 4, s + 1);
    }
    return box;
}

QGroupBox* TVelaLiteInterface::buildLimitsGroup()
{
    auto* box = named(new QGroupBox(tr8("Pass Fail Limits"), this), QStringLiteral("gbPassFailLimits"));
    auto* grid = new QGridLayout(box);
    const char* rows[] = {"High Limit", "Low Limit", "Difference"};
    const char* designed[] = {"100.0", "0.0", "10.0"};
    std::array<QLineEdit*, 3>* fields[] = {&HighLimit, &LowLimit, &Difference};
    const char* names[] = {"HighLimit%1Degree", "LowLimit%1Degree", "Difference%1Degree"};
    for (int r = 0; r < 3; ++r) {
        grid->addWidget(new QLabel(tr8(rows[r]), box), r + 1, 0);
        for (int s = 0; s < 3; ++s) {
            const QString a = QString::fromLatin1(kAngleSuffix[s]);
            QLineEdit* e = field(box, QString::fromLatin1(names[r]).arg(a), QString::fromLatin1(designed[r]), false);
            e->setToolTip(tr8("Enter target gloss on calibration standard"));
            (*fields[r])[size_t(s)] = e;
            grid->addWidget(e, r + 1, s + 1);
        }
    }
    for (int s = 0; s < 3; ++s)
        grid->addWidget(new QLabel(QString::fromLatin1(kAngleSuffix[s]) + QStringLiteral(" °"), box), 0, s + 1,
                        Qt::AlignCenter);
    grid->setRowStretch(4, 1);  // spare height below the fields, not between them
    return box;
}

QGroupBox* TVelaLiteInterface::buildSetupGroup()
{
    auto* box = named(new QGroupBox(tr8("General Set-up"), this), QStringLiteral("gbGeneralSetup"));
    auto* grid = new QGridLayout(box);
    grid->addWidget(new QLabel(tr8("Source Pot"), box), 1, 0);
    grid->addWidget(new QLabel(tr8("Receiver Pot"), box), 2, 0);
    for (int s = 0; s < 3; ++s) {
        const QString a = QString::fromLatin1(kAngleSuffix[s]);
        grid->addWidget(new QLabel(a + QStringLiteral(" °"), box), 0, s + 1, Qt::AlignCenter);
        SourcePot[size_t(s)] = field(box, QStringLiteral("SourcePot%1").arg(a));
        RecPot[size_t(s)] = field(box, QStringLiteral("RecPot%1").arg(a));
        grid->addWidget(SourcePot[size_t(s)], 1, s + 1);
        grid->addWidget(RecPot[size_t(s)], 2, s + 1);
    }
    return box;
}

QGroupBox* TVelaLiteInterface::buildPortGroups()
{
    auto* outer = new QGroupBox(this);
    auto* row = new QHBoxLayout(outer);
    auto* port = named(new QGroupBox(tr8("Communication Port"), outer), QStringLiteral("gbCommunicationPort"));
    auto* portLayout = new QVBoxLayout(port);
    Com1 = named(new QRadioButton(tr8("Com1"), port), QStringLiteral("Com1"));
    Com2 = named(new QRadioButton(tr8("Com2"), port), QStringLiteral("Com2"));
    portLayout->addWidget(Com1);
    portLayout->addWidget(Com2);
    auto* baud = named(new QGroupBox(tr8("Baud"), outer), QStringLiteral("gbBaud"));
    auto* baudLayout = new QVBoxLayout(baud);
    RB9600 = named(new QRadioButton(QStringLiteral("9600"), baud), QStringLiteral("RB9600"));
    RB4800 = named(new QRadioButton(QStringLiteral("4800"), baud), QStringLiteral("RB4800"));
    baudLayout->addWidget(RB9600);
    baudLayout->addWidget(RB4800);
    Com1->setChecked(true);
    RB9600->setChecked(true);
    connect(Com1, &QRadioButton::clicked, this, &TVelaLiteInterface::Com1Click);
    connect(Com2, &QRadioButton::clicked, this, &TVelaLiteInterface::Com2Click);
    connect(RB9600, &QRadioButton::clicked, this, &TVelaLiteInterface::RB9600Click);
    connect(RB4800, &QRadioButton::clicked, this, &TVelaLiteInterface::RB4800Click);
    row->addWidget(port);
    row->addWidget(baud);
    outer->setFlat(true);
    return outer;
}

void TVelaLiteInterface::showSystemData()
{
    const SystemDataView v = viewOf(m_link.System());
    Angle->setText(v.angle);
    SingleAngleInst->setChecked(v.singleAngleInst);
    cbOpacity->setChecked(v.opacity);
    NonStats->setChecked(v.nonStats);
    BacklightOn->setChecked(v.backlightOn);
    Language->setText(v.language);
    Language->setProperty("tag", v.languageTag);
    CalibrationMode->setText(v.calibrationMode);
    MinSupplyVoltage->setText(v.minSupplyVoltage);
    tbInstrumentOnTime->setValue(v.onTime);
    BulbSettingTime->setText(v.bulbSettlingTime);
    SoakTestSamples->setText(v.soakTestSamples);
}

void TVelaLiteInterface::markCountNotValid(int slot)
{
    Samples[size_t(slot)]->setProperty("tag", 0);
}

void TVelaLiteInterface::showSlotHeader(int slot)
{
    const SlotData& data = m_link.Slot(slot);
    const SlotView v = viewOf(data.header);
    const auto s = size_t(slot);
    Samples[s]->setText(v.samples);
    SourcePot[s]->setText(v.sourcePot);
    RecPot[s]->setText(v.receiverPot);
    Gain[s]->setText(v.gain);
    Offset[s]->setText(v.offset);
    HighLimit[s]->setText(v.highLimit);
    LowLimit[s]->setText(v.lowLimit);
    Difference[s]->setText(v.maxDifference);
    Samples[s]->setProperty("tag", data.countValid ? 1 : 0);
}

void TVelaLiteInterface::LoadSysDataClick()
{
    BusyScope busy(LoadSysData, ReadResultsData);
    m_link.ReadSystemData();
}

void TVelaLiteInterface::ReadResultsDataClick()
{
    BusyScope busy(LoadSysData, ReadResultsData);
    m_link.ReadSlotSamples(3);
}

void TVelaLiteInterface::openPort(int port, const QString& failure)
{
    if (!m_link.Comms().Open(port, m_link.BaudRate(), false))
        vela::TranslatedMessageBox(failure, QStringLiteral("Initialisation Error"), platform::MB_OK);
}

void TVelaLiteInterface::Com1Click()
{
    openPort(1, QStringLiteral("Vela-DuzirIriz initialise Com 1 failure."));
}

void TVelaLiteInterface::Com2Click()
{
    openPort(2, QStringLiteral("Vela-DuzirIriz initialise Com 2 failure."));
}

void TVelaLiteInterface::RB9600Click()
{
    m_link.SetBaudRate(9600);
    openPort(Com1->isChecked() ? 1 : 2, QStringLiteral("Vela-DuzirIriz initialise Com failure."));
}

void TVelaLiteInterface::RB4800Click()
{
    m_link.SetBaudRate(4800);
    openPort(Com1->isChecked() ? 1 : 2, QStringLiteral("Vela-DuzirIriz initialise Com failure."));
}

void TVelaLiteInterface::tbInstrumentOnTimeChange()
{
    tbInstrumentOnTime->setToolTip(FormatFloat(QStringLiteral("####"), tbInstrumentOnTime->value())
                                   + QStringLiteral(" seconds"));
}

void TVelaLiteInterface::ApplySavedPortSettings()
{
    const platform::PrivateProfile ini = platform::settingsFile();
    struct Saved {
        QRadioButton* button;
        const char* key;
        bool def;
        void (TVelaLiteInterface::*click)();
    };
    const Saved saved[] = {{Com1, "Com1", true, &TVelaLiteInterface::Com1Click},
                           {Com2, "Com2", false, &TVelaLiteInterface::Com2Click},
                           {RB9600, "BAUD96", true, &TVelaLiteInterface::RB9600Click},
                           {RB4800, "BAUD48", false, &TVelaLiteInterface::RB4800Click}};
    for (const Saved& s : saved) {
        const bool on = ini.readBool(kSection, QString::fromLatin1(s.key), s.def);
        // Only a button that becomes checked runs its click: a port the connect routine opened
        // stays open while the saved choices match the buttons.
        if (on && !s.button->isChecked()) {
            s.button->setChecked(true);
            (this->*s.click)();
        }
    }
}

void TVelaLiteInterface::SaveSettings()
{
    platform::savePlacement(this, kSection);
    platform::PrivateProfile ini = platform::settingsFile();
    ini.writeBool(kSection, QStringLiteral("Com1"), Com1->isChecked());
    ini.writeBool(kSection, QStringLiteral("Com2"), Com2->isChecked());
    ini.writeBool(kSection, QStringLiteral("BAUD96"), RB9600->isChecked());
    ini.writeBool(kSection, QStringLiteral("BAUD48"), RB4800->isChecked());
    m_settingsSaved = true;
}

} // namespace vela::link
