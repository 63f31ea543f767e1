#include "TAboutBox.h"

#include "platform/WindowPlacement.h"
#include "translation/Translator.h"

#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QToolButton>

vela::app::TAboutBox* AboutBox = nullptr;

namespace vela::app {

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(TranslateText(QStringLiteral("About")));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(20, 20, 20, 16);
    grid->setHorizontalSpacing(18);
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("ProgramIcon"));
    picture->setPixmap(QIcon(QStringLiteral(":/art/icon.svg")).pixmap(96, 96));
    picture->setAccessibleName(QStringLiteral("Vela-Soft"));
    auto* product = new QLabel(QStringLiteral("<b style='font-size:16pt'>Vela-Soft</b><br>"
                                              "Gloss meter companion"), this);
    Version = new QLabel(TranslateText(QStringLiteral("Version")), this);
    Version->setObjectName(QStringLiteral("Version"));
    Versionname = new QLabel(QStringLiteral("3.25 19/09/2008"), this);
    Versionname->setObjectName(QStringLiteral("Versionname"));
    OKButton = new QToolButton(this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setIcon(QIcon(QStringLiteral(":/art/btn_ok.svg")));
    OKButton->setIconSize(QSize(32, 32));
    OKButton->setText(QStringLiteral("OK"));
    OKButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    OKButton->setAccessibleName(QStringLiteral("OK"));
    connect(OKButton, &QToolButton::clicked, this, &QDialog::accept);
    grid->addWidget(picture, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(product, 0, 1, 1, 2);
    grid->addWidget(Version, 1, 1);
    grid->addWidget(Versionname, 1, 2);
    grid->addWidget(OKButton, 3, 0, 1, 3, Qt::AlignHCenter);
    setFixedSize(sizeHint().expandedTo(QSize(340, 180)));
}

void TAboutBox::showOver(QWidget* mainWindow)
{
    platform::centreOver(this, mainWindow);
    show();
    raise();
    activateWindow();
    OKButton->setFocus();
}

} // namespace vela::app
