#pragma once
#include <QDialog>

class QLabel;
class QToolButton;

namespace vela::app {

/// @brief `AboutBox`: program icon, version and an OK picture button.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
    /// Makes the box visible over the main window and gives it the focus.
    void showOver(QWidget* mainWindow);

private:
    QLabel* Version = nullptr;
    QLabel* Versionname = nullptr;
    QToolButton* OKButton = nullptr;
};

} // namespace vela::app

extern vela::app::TAboutBox* AboutBox;
