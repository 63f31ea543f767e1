#include "TIntroScreen.h"

#include "platform/WindowPlacement.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QTimer>

vela::app::TIntroScreen* IntroScreen = nullptr;

namespace vela::app {
namespace {
const QString kPicture = QStringLiteral(":/art/splash.svg");
}

TIntroScreen::TIntroScreen(int milliseconds)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("IntroScreen"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    QSvgRenderer renderer(kPicture);
    setFixedSize(renderer.defaultSize().isValid() ? renderer.defaultSize() : QSize(480, 300));
    setAutoFillBackground(true);
    setPalette(QPalette(Qt::white));
    platform::centreOnScreen(this);
    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    Timer1->setInterval(milliseconds);
    connect(Timer1, &QTimer::timeout, this, &TIntroScreen::Timer1Timer);
    Timer1->start();
}

void TIntroScreen::Timer1Timer()
{
    Timer1->stop();
    hide();
    close();
}

void TIntroScreen::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    QSvgRenderer(kPicture).render(&p, rect());
}

} // namespace vela::app
