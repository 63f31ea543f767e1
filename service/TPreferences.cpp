// The preferences dialog: stored choices, port and type rules, the Read Set-up and Set-up flows.
#include "TPreferences.h"

#include "TVelaLiteSetup.h"
#include "link/FloatFormat.h"
#include "link/InstrumentLink.h"
#include "platform/PrivateProfile.h"
#include "platform/WindowPlacement.h"
#include "translation/Translator.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>

vela::service::TPreferences* Preferences = nullptr;

namespace vela::service {
namespace {

const QString kSection = QStringLiteral("Panel Preferences");
constexpr QPoint kDesignPosition(237, 222);   // Left, Top

void setRowVisible(QWidget* field, bool visible)
{
    if (auto* form = qobject_cast<QFormLayout*>(field->parentWidget()->layout()))
        form->setRowVisible(field, visible);
}

} // namespace

TPreferences::TPreferences(QWidget* parent, TVelaLiteSetup* setup) : QDialog(parent), m_setup(setup)
{
    setObjectName(QStringLiteral("Preferences"));
    setWindowTitle(QStringLiteral("Preferences"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(false);
    buildControls();
    connectHandlers();
    m_port = 0;
    move(kDesignPosition);
    readSettings();
    translateTexts();
}

TPreferences::~TPreferences()
{
    writeSettings();
}

TVelaLiteSetup* TPreferences::setupWindow() const
{
    return m_setup ? m_setup : VelaLiteSetup;
}

void TPreferences::connectHandlers()
{
    connect(m_ports, &QButtonGroup::buttonClicked, this, &TPreferences::Com1Click);
    connect(m_types, &QButtonGroup::buttonClicked, this, &TPreferences::rbVelaDuzirIrizClick);
    connect(ReadSetup, &QPushButton::clicked, this, &TPreferences::ReadSetupClick);
    connect(Setup, &QPushButton::clicked, this, &TPreferences::SetupClick);
    connect(tbInstrumentOnTime, &QSlider::valueChanged, this, &TPreferences::tbInstrumentOnTimeChange);
    // The box is never visible: it changes through the refresh, which shows or hides the group.
    connect(PassFailTestLimits, &QCheckBox::toggled, this, &TPreferences::PassFailTestLimitsClick);
    connect(Exit, &QToolButton::clicked, this, &TPreferences::ExitClick);
}

// ---- Settings --------------------------------------------------------------------------------

void TPreferences::readSettings()
{
    platform::restorePlacement(this, kSection);
    const platform::PrivateProfile ini = platform::settingsFile();
    m_port = ini.readInteger(kSection, QStringLiteral("Port"), m_port);
    const auto type = [&](const char* key, QRadioButton* button) {
        setTypeChecked(button, ini.readBool(kSection, QString::fromLatin1(key), button->isChecked()));
    };
    type("Vela Gloss Lite Enabled", rbVelaDuzirIriz);
    type("Vela Gloss Enabled", rbVelaGloss);
    type("Vela Pac Enabled", rbVelaPac);
    type("Vela Curve Enabled", rbVelaCurve);
    cbDoubleClickTagChange->setChecked(ini.readBool(kSection, QStringLiteral("Double Click Tag Change"),
                                                    cbDoubleClickTagChange->isChecked()));
    cbHighSpeedComs->setChecked(ini.readBool(kSection, QStringLiteral("High Speed Comms"),
                                             cbHighSpeedComs->isChecked()));
    type("Vela Curve Version 3", rbVelaCurveVerion3);
}

void TPreferences::writeSettings() const
{
    platform::savePlacement(this, kSection);
    platform::PrivateProfile ini = platform::settingsFile();
    ini.writeInteger(kSection, QStringLiteral("Port"), m_port);
    ini.writeBool(kSection, QStringLiteral("Vela Gloss Lite Enabled"), rbVelaDuzirIriz->isChecked());
    ini.writeBool(kSection, QStringLiteral("Vela Gloss Enabled"), rbVelaGloss->isChecked());
    ini.writeBool(kSection, QStringLiteral("Vela Pac Enabled"), rbVelaPac->isChecked());
    ini.writeBool(kSection, QStringLiteral("Vela Curve Enabled"), rbVelaCurve->isChecked());
    ini.writeBool(kSection, QStringLiteral("Double Click Tag Change"), cbDoubleClickTagChange->isChecked());
    ini.writeBool(kSection, QStringLiteral("High Speed Comms"), cbHighSpeedComs->isChecked());
    ini.writeBool(kSection, QStringLiteral("Vela Curve Version 3"), rbVelaCurveVerion3->isChecked());
}

// ---- Port and type rules ----------------------------------------------------------------------

void TPreferences::setTypeChecked(QRadioButton* button, bool checked)
{
    if (button->isChecked() == checked)
        return;
    if (checked) {
        button->setChecked(true);
        rbVelaDuzirIrizClick();
        return;
    }
    // One group where no button may be checked: lift the exclusivity to clear one.
    m_types->setExclusive(false);
    button->setChecked(false);
    m_types->setExclusive(true);
}

void TPreferences::Com1Click()
{
    if (AutoDetect->isChecked())
        m_port = 0;
    for (int i = 0; i < 8; ++i)
        if (Com[size_t(i)]->isChecked())
            m_port = i + 1;
}

void TPreferences::checkPortButton(int port)
{
    QRadioButton* button = port >= 1 && port <= 8 ? Com[size_t(port - 1)] : AutoDetect;
    button->setChecked(true);
    Com1Click();
}

void TPreferences::rbVelaDuzirIrizClick()
{
    if (commandProtocolType()) {
        gbInstrumentConfiguration->setVisible(true);
        AutoDetect->setVisible(true);
        gbPassFailLimits->setVisible(PassFailTestLimits->isChecked());
        return;
    }
    if (AutoDetect->isChecked()) {
        Com[0]->setChecked(true);
        Com1Click();
    }
    AutoDetect->setVisible(false);
    gbInstrumentConfiguration->setVisible(false);
    gbPassFailLimits->setVisible(false);
}

void TPreferences::tbInstrumentOnTimeChange()
{
    tbInstrumentOnTime->setToolTip(link::FormatFloat(QStringLiteral("####"), tbInstrumentOnTime->value()) +
                                   vela::TranslateText(QStringLiteral(" seconds")));
}

void TPreferences::PassFailTestLimitsClick()
{
    gbPassFailLimits->setVisible(PassFailTestLimits->isChecked());
}

void TPreferences::ExitClick()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    hide();
}

// ---- Show and refresh ---------------------------------------------------------------------------

void TPreferences::ShowPreferences()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void TPreferences::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Refresh();
}

void TPreferences::copyFromSetup(TVelaLiteSetup& s)
{
    cbAutomaticCalibration->setChecked(s.AutoCalibration->isChecked());
    cbReadontimeops->setChecked(s.cbReadontimeops->isChecked());
    SetupTargetGloss60->setText(s.SetupTargetGloss60->text());
    SetupTargetGloss85->setText(s.SetupTargetGloss85->text());
    FirmwareVer->setText(s.FirmwareVer->text());
    SerialLabel->setText(s.SerialLabel->text().toUpper());
    tbInstrumentOnTime->setValue(s.tbInstrumentOnTime->value());
    PassFailTestLimits->setChecked(s.PassFailTestLimits->isChecked());
    Languages->setCurrentIndex(s.Languages->currentIndex());
    const SetupModel model = s.values().model;
    setRowVisible(SetupTargetGloss85, has85Degree(model));
    setRowVisible(SetupTargetGloss20, has20Degree(model));
    if (has20Degree(model))
        SetupTargetGloss20->setText(s.SetupTargetGloss20->text());
    const std::array<QLineEdit*, 6> from = s.limitEdits();
    const std::array<QLineEdit*, 6> to = limitEdits();
    for (size_t i = 0; i < to.size(); ++i)
        to[i]->setText(from[i]->text());
    Setup->setEnabled(true);
    ReadSetup->setEnabled(true);
}

void TPreferences::showLimitRows()
{
    TVelaLiteSetup* s = setupWindow();
    const SetupModel model = s ? s->values().model : SetupModel::Dual;
    for (QLineEdit* e : {HighLimit20Degree, LowLimit20Degree, Difference20Degree})
        setRowVisible(e, has20Degree(model));
    for (QLineEdit* e : {HighLimit60Degree, LowLimit60Degree, Difference60Degree})
        setRowVisible(e, has60Degree(model));
}

void TPreferences::Refresh()
{
    checkPortButton(m_port);
    TVelaLiteSetup* s = setupWindow();
    if (s && s->readDoneMark() != 0)
        copyFromSetup(*s);
    showLimitRows();
}

// ---- Read Set-up and Set-up -----------------------------------------------------------------------

int TPreferences::readFlag() const
{
    return ReadSetup->property("tag").toInt();
}

void TPreferences::setReadFlag(int flag)
{
    ReadSetup->setProperty("tag", flag);
}

void TPreferences::setSetupButtonsEnabled(bool enabled)
{
    Setup->setEnabled(enabled);
    ReadSetup->setEnabled(enabled);
}

std::array<QLineEdit*, 6> TPreferences::limitEdits() const
{
    return {HighLimit20Degree, LowLimit20Degree, Difference20Degree,
            HighLimit60Degree, LowLimit60Degree, Difference60Degree};
}

int TPreferences::onTimePosition() const
{
    return tbInstrumentOnTime->value();
}

bool TPreferences::highSpeedComs() const { return cbHighSpeedComs->isChecked(); }
bool TPreferences::velaGloss() const { return rbVelaGloss->isChecked(); }
bool TPreferences::velaCurve() const { return rbVelaCurve->isChecked(); }
bool TPreferences::velaPac() const { return rbVelaPac->isChecked(); }
bool TPreferences::velaDuzirIriz() const { return rbVelaDuzirIriz->isChecked(); }
bool TPreferences::velaCurveVersion3() const { return rbVelaCurveVerion3->isChecked(); }
bool TPreferences::doubleClickTagChange() const { return cbDoubleClickTagChange->isChecked(); }

bool TPreferences::commandProtocolType() const
{
    return rbVelaDuzirIriz->isChecked() || rbVelaCurveVerion3->isChecked();
}

void TPreferences::ReadSetupClick()
{
    if (!expired())
        ReadInstrumentSetup();
}

void TPreferences::ReadInstrumentSetup()
{
    TVelaLiteSetup* s = setupWindow();
    setReadFlag(0);
    if (!s)
        return;
    // The instrument answers this guard while its memory must not be read.
    if (s->core().Link().MemoryBusy())
        return;
    setSetupButtonsEnabled(false);
    setReadFlag(0);
    s->ReadSetupClick();
    setReadFlag(s->readDoneMark());
    Refresh();
    Setup->setEnabled(s->readDoneMark() != 0);
    ReadSetup->setEnabled(true);
    restartTimer();
}

void TPreferences::SetupClick()
{
    TVelaLiteSetup* s = setupWindow();
    if (expired() || !s)
        return;
    setSetupButtonsEnabled(false);
    s->AutoCalibration->setChecked(cbAutomaticCalibration->isChecked());
    s->cbReadontimeops->setChecked(cbReadontimeops->isChecked());
    s->PassFailTestLimits->setChecked(PassFailTestLimits->isChecked());
    s->SetupTargetGloss20->setText(SetupTargetGloss20->text());
    s->SetupTargetGloss60->setText(SetupTargetGloss60->text());
    s->SetupTargetGloss85->setText(SetupTargetGloss85->text());
    const std::array<QLineEdit*, 6> from = limitEdits();
    const std::array<QLineEdit*, 6> to = s->limitEdits();
    for (size_t i = 0; i < to.size(); ++i)
        to[i]->setText(from[i]->text());
    s->tbInstrumentOnTime->setValue(tbInstrumentOnTime->value());
    s->Languages->setCurrentIndex(Languages->currentIndex());
    s->SetupClick();
    setSetupButtonsEnabled(true);
    restartTimer();
}

} // namespace vela::service
