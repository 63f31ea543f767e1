#include "connect/TConnect.h"
#include "platform/WaitCursor.h"

#include "connect/ConnectTexts.h"
#include "platform/WindowPlacement.h"
#include "translation/Translator.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

vela::connect::TConnect* Connect = nullptr;

namespace vela::connect {
namespace {

const QString kSection = QStringLiteral("Panel Connect");


void translate(QWidget* w, bool caption, bool hint)
{
    if (auto* b = qobject_cast<QAbstractButton*>(w); b && caption)
        b->setText(vela::TranslateText(b->text()));
    if (auto* l = qobject_cast<QLabel*>(w); l && caption)
        l->setText(vela::TranslateText(l->text()));
    if (auto* g = qobject_cast<QGroupBox*>(w); g && caption)
        g->setTitle(vela::TranslateText(g->title()));
    if (hint)
        w->setToolTip(vela::TranslateText(w->toolTip()));
}

} // namespace

TConnect::TConnect(QWidget* parent, link::InstrumentLink* link) : QDialog(parent), m_session(link)
{
    buildControls();
    translateTexts();
    connectHandlers();
    adjustSize();
    platform::centreOnScreen(this);
    platform::restorePlacement(this, kSection);
    refresh();
}

TConnect::~TConnect()
{
    if (::Connect == this)
        ::Connect = nullptr;
}

void TConnect::translateTexts()
{
    btConnect->setToolTip(QStringLiteral("Connect and download gloss results"));
    btExit->setToolTip(QStringLiteral("Exit"));
    ProgressBar1->setToolTip(QStringLiteral("Indicates connection progress"));
    gbVelaDuzirIrizSetup->setToolTip(QStringLiteral("Instrument set-up and  configuration data"));
    for (int s = 0; s < 3; ++s) {
        const QString hint = QStringLiteral("Check to have the results downloaded for Vela-DuzirIriz");
        btDegree[size_t(s)]->setToolTip(hint);
        Degree[size_t(s)]->setToolTip(hint);
        DeleteAll[size_t(s)]->setToolTip(QStringLiteral("Delete all Samples stored in the instrument."));
    }
    setWindowTitle(vela::TranslateText(windowTitle()));
    for (QWidget* w : {static_cast<QWidget*>(btConnect), static_cast<QWidget*>(lbStatus),
                       static_cast<QWidget*>(lbVelaGlossConnectMessage), static_cast<QWidget*>(lbAngle),
                       static_cast<QWidget*>(BacklightOn), static_cast<QWidget*>(SingleAngleInst),
                       static_cast<QWidget*>(lbLanguage), static_cast<QWidget*>(lbCalibrationMode),
                       static_cast<QWidget*>(lbSoakTestSamples), static_cast<QWidget*>(lbMinSupplyVoltage),
                       static_cast<QWidget*>(lbDualAngle), static_cast<QWidget*>(lbFirmwareVer),
                       static_cast<QWidget*>(lbSerialNumber)})
        translate(w, true, false);
    translate(gbVelaDuzirIrizSetup, true, true);
    translate(btConnect, false, true);
    translate(btExit, false, true);
    translate(ProgressBar1, false, true);
    for (size_t s = 0; s < 3; ++s) {
        translate(Degree[s], true, s < 2);
        translate(btDegree[s], true, true);
        translate(DeleteAll[s], true, true);
    }
    btExit->setAccessibleName(btExit->toolTip());
}

void TConnect::connectHandlers()
{
    connect(btConnect, &QToolButton::clicked, this, &TConnect::btConnectClick);
    connect(btExit, &QToolButton::clicked, this, &TConnect::btExitClick);
    connect(btDegree[0], &QPushButton::clicked, this, &TConnect::btDegree20Click);
    connect(btDegree[1], &QPushButton::clicked, this, &TConnect::btDegree60Click);
    connect(btDegree[2], &QPushButton::clicked, this, &TConnect::btDegree85Click);
    connect(DeleteAll[0], &QToolButton::clicked, this, &TConnect::DeleteAll20Click);
    connect(DeleteAll[1], &QToolButton::clicked, this, &TConnect::DeleteAll60Click);
    connect(DeleteAll[2], &QToolButton::clicked, this, &TConnect::DeleteAll85Click);
    connect(&m_session, &ConnectSession::viewChanged, this, &TConnect::refresh);
    connect(&m_session, &ConnectSession::closeWindow, this, &TConnect::hide);
}

void TConnect::refresh()
{
    const ConnectView& v = m_session.view();
    if (!v.status.isEmpty())
        lbStatus->setText(v.status);
    ProgressBar1->setValue(v.progress);
    gbVelaDuzirIrizSetup->setVisible(v.identityVisible && !velaGlossType());
    Angle->setText(v.angle);
    Language->setText(v.language);
    CalibrationMode->setText(v.calibrationMode);
    FirmwareVer->setText(v.firmware);
    SerialLabel->setText(v.serial.toUpper());
    MinSupplyVoltage->setText(v.minSupplyVoltage);
    SoakTestSamples->setText(v.soakTestSamples);
    if (!v.backlight.isEmpty())
        BacklightOn->setText(v.backlight);
    lbDualAngle->setText(v.modelLabel);
    for (size_t s = 0; s < 3; ++s) {
        btDegree[s]->setText(v.uploadCaption[s]);
        btDegree[s]->setEnabled(v.uploadEnabled[s]);
        DeleteAll[s]->setText(v.deleteCaption[s]);
        DeleteAll[s]->setAccessibleName(v.deleteCaption[s].isEmpty() ? DeleteAll[s]->toolTip()
                                                                      : v.deleteCaption[s]);
        DeleteAll[s]->setEnabled(v.deleteEnabled[s]);
    }
    applyTypeVisibility();
}

bool TConnect::velaGlossType() const
{
    return m_session.preferences().type && m_session.preferences().type() == InstrumentType::VelaGloss;
}

void TConnect::applyTypeVisibility()
{
    const bool gloss = velaGlossType();
    for (size_t s = 0; s < 3; ++s) {
        Degree[s]->setVisible(false);
        Bevel[s]->setVisible(!gloss);
        btDegree[s]->setVisible(!gloss);
        DeleteAll[s]->setVisible(!gloss && (s != 0 || m_session.view().delete20Visible));
    }
    lbVelaGlossConnectMessage->setVisible(gloss);
    if (gloss)
        gbVelaDuzirIrizSetup->setVisible(false);
}

void TConnect::setServiceFieldsVisible(bool visible)
{
    for (QWidget* w : {static_cast<QWidget*>(SingleAngleInst), static_cast<QWidget*>(lbSoakTestSamples),
                       static_cast<QWidget*>(lbMinSupplyVoltage), static_cast<QWidget*>(SoakTestSamples),
                       static_cast<QWidget*>(MinSupplyVoltage)})
        w->setVisible(visible);
}

bool TConnect::ShowConnect(const QString& programDirectory, int serviceFlag)
{
    if (!m_preferencesBound)
        bindPreferences();
    m_session.setProgramDirectory(programDirectory);
    if (!isVisible()) {
        showNormal();
        m_session.ShowStatus(text::kMakeSure);
        for (QCheckBox* c : Degree)
            c->setEnabled(true);
    }
    show();
    raise();
    activateWindow();
    if (serviceFlag == 0)
        resize(width(), 600);
    setServiceFieldsVisible(serviceFlag == 0);
    refresh();
    return true;
}

bool TConnect::highSpeed() const
{
    return m_session.preferences().highSpeed && m_session.preferences().highSpeed();
}

bool TConnect::ConnectInstrument(bool highSpeed, int angle)
{
    m_session.setRequestedChecks({Degree[0]->isChecked(), Degree[1]->isChecked(), Degree[2]->isChecked()});
    return m_session.ConnectInstrument(highSpeed, angle);
}

void TConnect::btConnectClick()
{
    platform::WaitCursor wait;
    btConnect->setEnabled(false);
    if (!ConnectInstrument(highSpeed(), 0))
        m_session.ClearIdentity();
    btConnect->setEnabled(true);
}

void TConnect::btExitClick()
{
    QApplication::restoreOverrideCursor();
    hide();
}

void TConnect::upload(int angle)
{
    platform::WaitCursor wait;
    m_session.setRequestedChecks({Degree[0]->isChecked(), Degree[1]->isChecked(), Degree[2]->isChecked()});
    m_session.UploadClick(highSpeed(), angle);
}

void TConnect::btDegree20Click() { upload(20); }
void TConnect::btDegree60Click() { upload(60); }
void TConnect::btDegree85Click() { upload(85); }

void TConnect::deleteSlot(int slot)
{
    platform::WaitCursor wait;
    m_session.DeleteSamples(slot);
}

void TConnect::DeleteAll20Click() { deleteSlot(0); }
void TConnect::DeleteAll60Click() { deleteSlot(1); }
void TConnect::DeleteAll85Click() { deleteSlot(2); }

void TConnect::Timer1Timer()
{
    m_session.ConnectionTimerFired();
}

void TConnect::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    applyTypeVisibility();
}

void TConnect::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible())
        platform::savePlacement(this, kSection);
}

bool InstrumentConnected()
{
    return ::Connect && ::Connect->session().InstrumentConnected();
}

void SwitchOff()
{
    if (::Connect)
        ::Connect->session().SwitchOff();
}

void CalDate()
{
    if (::Connect)
        ::Connect->session().SetCalibrationDate();
}

} // namespace vela::connect
