#pragma once
#include <QWidget>

class QTimer;

namespace vela::app {

/// @brief `IntroScreen`: the borderless splash, hidden and closed 2000 ms after creation.
class TIntroScreen : public QWidget {
    Q_OBJECT
public:
    explicit TIntroScreen(int milliseconds = 2000);
    void Timer1Timer();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer* Timer1 = nullptr;
};

} // namespace vela::app

extern vela::app::TIntroScreen* IntroScreen;
