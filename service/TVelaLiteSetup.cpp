// The set-up window: creation, settings, binding of the controls, the read, write and serial
// number operations.
#include "TVelaLiteSetup.h"
#include "platform/WaitCursor.h"

#include <algorithm>

#include "link/FloatFormat.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/PrivateProfile.h"
#include "platform/WindowPlacement.h"
#include "translation/Translator.h"

#include <QAction>
#include <QGroupBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

vela::service::TVelaLiteSetup* VelaLiteSetup = nullptr;

namespace vela::service {
namespace {

const QString kSection = QStringLiteral("Panel Vela Lite Setup");
constexpr QPoint kDesignPosition(259, 118);   // Left, Top


} // namespace

LampTargets readLampTargets()
{
    const platform::PrivateProfile ini = platform::settingsFile();
    const char* keys[] = {"Target 20 degree mV", "Target 60 degree mV", "Target 75 degree mV",
                          "Target 85 degree mV", "Target 45 degree mV", "Target 45_0 degree mV"};
    const double defaults[] = {0.25, 0.25, 0.2, 0.25, 0.25, 0.25};
    LampTargets targets{};
    for (size_t i = 0; i < targets.size(); ++i)
        targets[i] = float(ini.readReal(kSection, QString::fromLatin1(keys[i]), defaults[i]));
    return targets;
}

TVelaLiteSetup::TVelaLiteSetup(QWidget* parent, link::InstrumentLink* link)
    : QMainWindow(parent), m_setup(link)
{
    setObjectName(QStringLiteral("VelaLiteSetup"));
    setWindowTitle(vela::TranslateText(QStringLiteral("Vela-Gloss Lite Setup   ")));
    buildControls();
    buildMenus();
    connectHandlers();
    applyFactoryState();
    m_programFolder = platform::programDirectory();
    move(kDesignPosition);
    readSettings();
}

TVelaLiteSetup::~TVelaLiteSetup()
{
    platform::savePlacement(this, kSection);
}

void TVelaLiteSetup::readSettings()
{
    platform::restorePlacement(this, kSection);
    m_lampTargets = readLampTargets();
    m_maxGlossCalibChange =
        platform::settingsFile().readReal(kSection, QStringLiteral("Max Gloss Calib Change"), 10.0);
    MaxGlossCalibChange->setText(link::FormatFloat(QStringLiteral("0.0"), m_maxGlossCalibChange));
}

void TVelaLiteSetup::connectHandlers()
{
    const auto on = [this](QPushButton* b, void (TVelaLiteSetup::*fn)()) {
        connect(b, &QPushButton::clicked, this, fn);
    };
    on(ReadSetup, &TVelaLiteSetup::ReadSetupClick);
    on(Setup, &TVelaLiteSetup::SetupClick);
    on(SetSerialNo, &TVelaLiteSetup::SetSerialNoClick);
    on(SoakTest, &TVelaLiteSetup::SoakTestClick);
    on(ResetAll, &TVelaLiteSetup::ResetAllClick);
    on(SwitchOff, &TVelaLiteSetup::SwitchOffClick);
    on(AngleSetup, &TVelaLiteSetup::AngleSetupClick);
    on(ToggleAlwaysOn, &TVelaLiteSetup::ToggleAlwaysOnClick);
    on(GainChange, &TVelaLiteSetup::GainChangeClick);
    on(NoneStatsMode, &TVelaLiteSetup::NoneStatsModeClick);
    on(SetCorrection, &TVelaLiteSetup::SetCorrectionClick);
    on(btAngleKey, &TVelaLiteSetup::PressAngleKey);
    connect(btReadKey, &QPushButton::clicked, this, [this] { TakeReading(true); });
    connect(EnableComsErrors, &QCheckBox::clicked, this, &TVelaLiteSetup::EnableComsErrorsClick);
    connect(tbInstrumentOnTime, &QSlider::valueChanged, this, &TVelaLiteSetup::tbInstrumentOnTimeChange);
    connect(TBRefDiode, &QSlider::valueChanged, this, &TVelaLiteSetup::TBRefDiodeChange);
    connect(TBSignalDiode, &QSlider::valueChanged, this, &TVelaLiteSetup::TBSignalDiodeChange);
    // A level chosen with the keys or the mouse is sent when the track bar is let go.
    connect(TBRefDiode, &QSlider::sliderReleased, this, &TVelaLiteSetup::TBRefDiodeKeyUp);
    connect(TBSignalDiode, &QSlider::sliderReleased, this, &TVelaLiteSetup::TBSignalDiodeKeyUp);
    connect(RefPot, &QLineEdit::editingFinished, this, &TVelaLiteSetup::RefPotExit);
    connect(SignalPot, &QLineEdit::editingFinished, this, &TVelaLiteSetup::SignalPotExit);
    Gloss->installEventFilter(this);   // a click on the reading refreshes it
    // Arrow keys move a pot track bar; the level is sent when the key is let go.
    TBRefDiode->installEventFilter(this);
    TBSignalDiode->installEventFilter(this);
    connect(Configuration1, &QAction::triggered, this, &TVelaLiteSetup::Configuration1Click);
    connect(Programming1, &QAction::triggered, this, &TVelaLiteSetup::Programming1Click);
    connect(Exit1, &QAction::triggered, this, &TVelaLiteSetup::Exit1Click);
}

void TVelaLiteSetup::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_reopenPort)
        m_reopenPort();
}

bool TVelaLiteSetup::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Gloss && event->type() == QEvent::MouseButtonRelease)
        GlossClick();
    if (event->type() == QEvent::KeyRelease && !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
        if (watched == TBRefDiode)
            TBRefDiodeKeyUp();
        else if (watched == TBSignalDiode)
            TBSignalDiodeKeyUp();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TVelaLiteSetup::showMessages(const Outcome& outcome, bool always)
{
    if (!always && !m_comsErrors)
        return;
    for (const SetupMessage& m : outcome.messages)
        showSetupMessage(m);
}

// ---- Binding -------------------------------------------------------------------------------

SetupModel TVelaLiteSetup::checkedModel() const
{
    if (RBSingle20Degree->isChecked())
        return SetupModel::Single20;
    if (RBSingle60Degree->isChecked())
        return SetupModel::Single60;
    if (RBSingle45Degree->isChecked())
        return SetupModel::Single45;
    if (RBSingle45_0Degree->isChecked())
        return SetupModel::Single45_0;
    return RBTripleAngle->isChecked() ? SetupModel::Triple : SetupModel::Dual;
}

void TVelaLiteSetup::checkModel(SetupModel model)
{
    QRadioButton* buttons[] = {RBSingle20Degree, RBSingle60Degree, RBSingle45Degree,
                               RBSingle45_0Degree, RBDualAngle, RBTripleAngle};
    buttons[int(model)]->setChecked(true);
}

SetupValues TVelaLiteSetup::values() const
{
    SetupValues v;
    v.model = checkedModel();
    v.partnerBrand = CBBrevantaInstrument->isChecked();
    v.statsInstrument = CBStatsInstrument->isChecked();
    v.passFailLimits = PassFailTestLimits->isChecked();
    v.divideBy10Ranging = cbUseDivideby10Ranging->isChecked();
    v.readOnTimeOps = cbReadontimeops->isChecked();
    v.enableCorrection = cbEnableCorrection->isChecked();
    v.configWord = DefWord->text();
    v.firmwareVersion = FirmwareVer->text();
    v.serialText = SerialLabel->text();
    v.prefix = Prefix->text();
    v.year = Year->text();
    v.month = Month->text();
    v.serialNo = SerialNo->text();
    v.suffix = Suffix->text();
    v.target20 = SetupTargetGloss20->text();
    v.target60 = SetupTargetGloss60->text();
    v.target85 = SetupTargetGloss85->text();
    v.mirror20 = MirrorConnection20->text();
    v.mirror60 = MirrorCorrection60->text();
    v.minSupplyVoltage = MinSupplyVoltage->text();
    v.bulbSettlingTime = BulbSettingTime->text();
    v.maxGlossCalibChange = MaxGlossCalibChange->text();
    v.divideBy10Range = DivideBy10Range->text();
    const std::array<QLineEdit*, 6> limits = limitEdits();
    v.limits20 = {limits[0]->text(), limits[1]->text(), limits[2]->text()};
    v.limits60 = {limits[3]->text(), limits[4]->text(), limits[5]->text()};
    v.onTime = tbInstrumentOnTime->value();
    v.language = Languages->currentIndex();
    v.autoCalibration = AutoCalibration->isChecked();
    v.signalPot = TBSignalDiode->value();
    v.refPot = TBRefDiode->value();
    return v;
}

void TVelaLiteSetup::showValues(const SetupValues& v)
{
    checkModel(v.model);
    CBBrevantaInstrument->setChecked(v.partnerBrand);
    CBStatsInstrument->setChecked(v.statsInstrument);
    PassFailTestLimits->setChecked(v.passFailLimits);
    cbUseDivideby10Ranging->setChecked(v.divideBy10Ranging);
    cbReadontimeops->setChecked(v.readOnTimeOps);
    cbEnableCorrection->setChecked(v.enableCorrection);
    const std::pair<QLineEdit*, const QString*> texts[] = {
        {DefWord, &v.configWord}, {FirmwareVer, &v.firmwareVersion}, {SerialLabel, &v.serialText},
        {Prefix, &v.prefix}, {Year, &v.year}, {Month, &v.month}, {SerialNo, &v.serialNo},
        {Suffix, &v.suffix}, {SetupTargetGloss20, &v.target20}, {SetupTargetGloss60, &v.target60},
        {SetupTargetGloss85, &v.target85}, {MirrorConnection20, &v.mirror20},
        {MirrorCorrection60, &v.mirror60}, {MinSupplyVoltage, &v.minSupplyVoltage},
        {BulbSettingTime, &v.bulbSettlingTime}, {MaxGlossCalibChange, &v.maxGlossCalibChange},
        {DivideBy10Range, &v.divideBy10Range}, {HighLimit20Degree, &v.limits20.high},
        {LowLimit20Degree, &v.limits20.low}, {Difference20Degree, &v.limits20.difference},
        {HighLimit60Degree, &v.limits60.high}, {LowLimit60Degree, &v.limits60.low},
        {Difference60Degree, &v.limits60.difference}};
    for (const auto& [edit, text] : texts)
        edit->setText(*text);
    const QString* limitTexts[] = {&v.limits20.high, &v.limits20.low, &v.limits20.difference,
                                   &v.limits60.high, &v.limits60.low, &v.limits60.difference};
    const std::array<QLineEdit*, 6> limits = limitEdits();
    for (size_t i = 0; i < limits.size(); ++i)
        limits[i]->setText(*limitTexts[i]);
    tbInstrumentOnTime->setValue(v.onTime);
    Languages->setCurrentIndex(v.language >= 0 && v.language < Languages->count() ? v.language : -1);
    AutoCalibration->setChecked(v.autoCalibration);
    setPotControls(false, v.signalPot);
    setPotControls(true, v.refPot);
}

void TVelaLiteSetup::bindInterfaceLimits(const std::array<QLineEdit*, 6>& edits)
{
    m_interfaceLimits = edits;
    gbPassFailLimits->setVisible(false);
}

std::array<QLineEdit*, 6> TVelaLiteSetup::limitEdits() const
{
    if (std::all_of(m_interfaceLimits.begin(), m_interfaceLimits.end(), [](QLineEdit* e) { return e; }))
        return m_interfaceLimits;
    return {HighLimit20Degree, LowLimit20Degree, Difference20Degree,
            HighLimit60Degree, LowLimit60Degree, Difference60Degree};
}

// ---- Read, write, serial number ---------------------------------------------------------------

int TVelaLiteSetup::readDoneMark() const
{
    return ReadSetup->property("tag").toInt();
}

int TVelaLiteSetup::setupTag() const
{
    return Setup->property("tag").toInt();
}

void TVelaLiteSetup::ReadSetupClick()
{
    ReadSetup->setProperty("tag", 0);
    Setup->setEnabled(false);
    if (busy())
        return;
    SetupValues v = values();
    Outcome out;
    {
        platform::WaitCursor cursor;
        out = m_setup.ReadSetup(v);
        showValues(v);   // what was read before a failure stays shown
    }
    showMessages(out, true);
    if (out.ok) {
        Setup->setEnabled(true);
        ReadSetup->setProperty("tag", 1);
    }
}

void TVelaLiteSetup::SetupClick()
{
    Setup->setProperty("tag", 0);
    if (busy()) {
        // Dropped, not queued: the completed flag of an earlier write must not stand for it.
        (void)m_setup.WriteSetup(values());
        return;
    }
    Outcome out;
    {
        platform::WaitCursor cursor;
        out = m_setup.WriteSetup(values());
    }
    Setup->setProperty("tag", out.ok ? 1 : 0);
    showMessages(out, true);
}

void TVelaLiteSetup::SetSerialNoClick()
{
    if (busy())
        return;
    SetupValues v = values();
    Outcome out;
    {
        platform::WaitCursor cursor;
        out = m_setup.WriteSerialNumber(SerialLabel->text(), v);
    }
    if (out.ok) {
        Prefix->setText(v.prefix);
        SerialLabel->setText(v.serialText);
        Year->setText(v.year);
        Month->setText(v.month);
        SerialNo->setText(v.serialNo);
        Suffix->setText(v.suffix);
    }
    showMessages(out, true);
}

void TVelaLiteSetup::Configuration1Click()
{
    if (m_showInterface)
        m_showInterface();
}

void TVelaLiteSetup::Programming1Click()
{
    if (m_showProgramming)
        m_showProgramming(m_programFolder);
}

void TVelaLiteSetup::Exit1Click()
{
    close();
}

} // namespace vela::service
