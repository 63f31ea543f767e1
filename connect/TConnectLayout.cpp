// The Connect window's controls and their layout.
#include "connect/TConnect.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace vela::connect {
namespace {

template <typename W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QToolButton* pictureButton(const char* name, const QString& text, QStyle::StandardPixmap icon)
{
    auto* b = named(new QToolButton, name);
    b->setText(text);
    b->setIcon(QApplication::style()->standardIcon(icon));
    b->setIconSize(QSize(24, 24));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setAccessibleName(text);
    return b;
}

QLineEdit* readOnly(const char* name)
{
    auto* e = named(new QLineEdit, name);
    e->setReadOnly(true);
    e->setMinimumWidth(90);
    return e;
}

QLabel* label(const char* name, const QString& text, QWidget* buddy)
{
    auto* l = named(new QLabel(text), name);
    l->setBuddy(buddy);
    return l;
}

} // namespace

QWidget* TConnect::buildIdentityGroup()
{
    gbVelaDuzirIrizSetup = named(new QGroupBox(QStringLiteral("Vela-DuzirIriz Set-up")), "gbVelaDuzirIrizSetup");
    Angle = readOnly("Angle");
    Language = readOnly("Language");
    CalibrationMode = readOnly("CalibrationMode");
    FirmwareVer = readOnly("FirmwareVer");
    SerialLabel = readOnly("SerialLabel");
    SerialLabel->setMinimumWidth(120);  // twelve characters
    MinSupplyVoltage = readOnly("MinSupplyVoltage");
    SoakTestSamples = readOnly("SoakTestSamples");
    lbAngle = label("lbAngle", QStringLiteral("Angle"), Angle);
    lbLanguage = label("lbLanguage", QStringLiteral("Language"), Language);
    lbCalibrationMode = label("lbCalibrationMode", QStringLiteral("Calibration Mode"), CalibrationMode);
    lbFirmwareVer = label("lbFirmwareVer", QStringLiteral("Firmware Version"), FirmwareVer);
    lbSerialNumber = label("lbSerialNumber", QStringLiteral("Serial Number"), SerialLabel);
    lbMinSupplyVoltage = label("lbMinSupplyVoltage", QStringLiteral("Min Supply Voltage"), MinSupplyVoltage);
    lbSoakTestSamples = label("lbSoakTestSamples", QStringLiteral("Soak Test Samples"), SoakTestSamples);
    BacklightOn = named(new QLabel(QStringLiteral("Back light ???")), "BacklightOn");
    lbDualAngle = named(new QLabel(QStringLiteral("Dual Angle Instrument")), "lbDualAngle");
    QFont bold = lbDualAngle->font();
    bold.setBold(true);
    lbDualAngle->setFont(bold);
    SingleAngleInst = named(new QCheckBox(QStringLiteral("Single Angle Inst.")), "SingleAngleInst");
    auto* grid = new QGridLayout(gbVelaDuzirIrizSetup);
    grid->addWidget(lbDualAngle, 0, 0, 1, 4);
    const std::pair<QLabel*, QLineEdit*> rows[] = {{lbAngle, Angle}, {lbLanguage, Language},
                                                   {lbCalibrationMode, CalibrationMode},
                                                   {lbFirmwareVer, FirmwareVer}, {lbSerialNumber, SerialLabel},
                                                   {lbMinSupplyVoltage, MinSupplyVoltage},
                                                   {lbSoakTestSamples, SoakTestSamples}};
    int i = 0;
    for (const auto& [l, e] : rows) {
        grid->addWidget(l, 1 + i / 2, (i % 2) * 2);
        grid->addWidget(e, 1 + i / 2, (i % 2) * 2 + 1);
        ++i;
    }
    grid->addWidget(BacklightOn, 5, 0, 1, 2);
    grid->addWidget(SingleAngleInst, 5, 2, 1, 2);
    gbVelaDuzirIrizSetup->setVisible(false);
    return gbVelaDuzirIrizSetup;
}

QWidget* TConnect::buildAngleRow(int slot)
{
    static const char* const kButtons[] = {"btDegree20", "btDegree60", "btDegree85"};
    static const char* const kDeletes[] = {"DeleteAll20", "DeleteAll60", "DeleteAll85"};
    static const char* const kChecks[] = {"Degree20", "Degree60", "Degree85"};
    static const char* const kBevels[] = {"Bevel1", "Bevel2", "Bevel3"};
    const auto& captions = designedUploadCaptions();
    const auto& deletes = designedDeleteCaptions();
    const size_t s = size_t(slot);
    Bevel[s] = named(new QFrame, kBevels[slot]);
    Bevel[s]->setFrameShape(QFrame::StyledPanel);
    Bevel[s]->setFrameShadow(QFrame::Raised);
    btDegree[s] = named(new QPushButton(captions[s]), kButtons[slot]);
    btDegree[s]->setEnabled(false);
    btDegree[s]->setMinimumWidth(190);
    DeleteAll[s] = pictureButton(kDeletes[slot], deletes[s], QStyle::SP_TrashIcon);
    DeleteAll[s]->setEnabled(false);
    Degree[s] = named(new QCheckBox(captions[s]), kChecks[slot]);
    Degree[s]->setVisible(false);
    auto* row = new QHBoxLayout(Bevel[s]);
    row->addWidget(btDegree[s]);
    row->addStretch();
    row->addWidget(DeleteAll[s]);
    row->addWidget(Degree[s]);
    return Bevel[s];
}

void TConnect::buildControls()
{
    setObjectName(QStringLiteral("Connect"));
    setWindowTitle(QStringLiteral("Connect"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    lbStatus = named(new QLabel(QStringLiteral("Status")), "lbStatus");
    lbStatus->setWordWrap(true);
    lbStatus->setMinimumHeight(40);
    lbStatus->setFrameShape(QFrame::Panel);
    lbStatus->setFrameShadow(QFrame::Sunken);
    lbVelaGlossConnectMessage = named(new QLabel(QStringLiteral("Vela-Gloss Connect Message")),
                                      "lbVelaGlossConnectMessage");
    lbVelaGlossConnectMessage->setWordWrap(true);
    ProgressBar1 = named(new QProgressBar, "ProgressBar1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setAccessibleName(QStringLiteral("Progress"));
    btConnect = pictureButton("btConnect", QStringLiteral("Connect"), QStyle::SP_BrowserReload);
    btExit = pictureButton("btExit", QStringLiteral("Exit"), QStyle::SP_DialogCloseButton);
    btExit->setText(QString());
    btExit->setToolButtonStyle(Qt::ToolButtonIconOnly);

    auto* top = new QVBoxLayout(this);
    top->addWidget(lbStatus);
    top->addWidget(ProgressBar1);
    top->addWidget(lbVelaGlossConnectMessage);
    top->addWidget(buildIdentityGroup());
    for (int slot = 0; slot < 3; ++slot)
        top->addWidget(buildAngleRow(slot));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btConnect);
    buttons->addStretch();
    buttons->addWidget(btExit);
    top->addLayout(buttons);
    top->setSizeConstraint(QLayout::SetMinimumSize);
    setMinimumWidth(460);
}

} // namespace vela::connect
