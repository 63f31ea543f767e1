#include "WindowPlacement.h"

#include "PrivateProfile.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace vela::platform {

void restorePlacement(QWidget* window, const QString& section, bool withSize)
{
    const PrivateProfile ini = settingsFile();
    const QRect g = window->geometry();
    const int top = ini.readInteger(section, QStringLiteral("Top"), window->y());
    const int left = ini.readInteger(section, QStringLiteral("Left"), window->x());
    if (withSize) {
        const int w = ini.readInteger(section, QStringLiteral("Width"), g.width());
        const int h = ini.readInteger(section, QStringLiteral("Height"), g.height());
        window->resize(std::max(w, 50), std::max(h, 50));
    }
    window->move(left, top);
}

void savePlacement(const QWidget* window, const QString& section, bool withSize)
{
    PrivateProfile ini = settingsFile();
    ini.writeInteger(section, QStringLiteral("Top"), window->y());
    ini.writeInteger(section, QStringLiteral("Left"), window->x());
    if (withSize) {
        ini.writeInteger(section, QStringLiteral("Width"), window->width());
        ini.writeInteger(section, QStringLiteral("Height"), window->height());
    }
}

void centreOnScreen(QWidget* window)
{
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = window->frameGeometry().size();
    window->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
}

void centreOver(QWidget* window, const QWidget* over)
{
    if (!over) {
        centreOnScreen(window);
        return;
    }
    const QRect o = over->frameGeometry();
    const QSize size = window->frameGeometry().size();
    window->move(o.center() - QPoint(size.width() / 2, size.height() / 2));
}

} // namespace vela::platform
