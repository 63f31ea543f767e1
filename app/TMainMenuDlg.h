#pragma once
// The main window: a launcher with a backdrop, seven picture buttons and a menu bar.
#include <QMainWindow>
#include <QMap>
#include <functional>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QTimer;
class QToolButton;

namespace vela::app {

/// @brief Commands the main window starts in other windows. The program binds each one when
/// the window that carries it exists; an unbound command leaves its button disabled.
enum class Command { Connect, Analysis, Graph, Load, Preferences, Language, SystemConstants,
                     SetupInterface, Tester, CalDate };

/// @brief Where the centred group box goes in a window of outer size W x H (pure rule).
[[nodiscard]] QPoint centreBoxPosition(int H, int W, int h, int w);

/// @brief `MainMenuDlg`: the launcher window.
class TMainMenuDlg : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainMenuDlg(QWidget* parent = nullptr);
    ~TMainMenuDlg() override;

    void bind(Command command, std::function<void()> fn);
    /// Tells whether an instrument is connected and switches it off ("OF" 0) on Exit.
    void bindInstrument(std::function<bool()> connected, std::function<void()> switchOff);
    /// The windows "Arrange All" places, in order (name, window); hidden ones stay hidden.
    void setArrangeList(const QList<QWidget*>& windows) { m_arrange = windows; }

    [[nodiscard]] const QString& programDirectory() const { return m_programDir; }
    [[nodiscard]] QGroupBox* centreBox() const { return CentreBox; }
    [[nodiscard]] bool translated() const { return m_tag != 0; }
    [[nodiscard]] QString webSite() const;

    /// The deferred translation, normally run by the first tick of Timer1.
    void Timer1Timer();
    void ArrangeAll1Click();
    void Contents1Click();
    void OtherInstruments1Click();
    void About1Click();
    void imWebsiteClick();
    void Exit1Click();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildCentreBox();
    void buildMenus();
    void buildActions();
    QToolButton* addPictureButton(const QString& name, const QString& glyph, const QString& label,
                                  const QString& labelName, const QString& hint, int column);
    void run(Command command);
    void centre();

    QString m_programDir;
    int m_tag = 0;
    QMap<Command, std::function<void()>> m_commands;
    QMap<Command, QList<QObject*>> m_commandControls;
    std::function<bool()> m_connected;
    std::function<void()> m_switchOff;
    QList<QWidget*> m_arrange;

    QGroupBox* CentreBox = nullptr;
    QLabel* imBackdrop = nullptr;
    QToolButton* imWebsite = nullptr;
    QTimer* Timer1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QMap<QString, QToolButton*> m_buttons;
    QMap<QString, QLabel*> m_labels;
    QMap<QString, QAction*> m_items;  // menu items and actions by name
};

/// Registers the artwork compiled into the shell library (needed once before use).
void initArtResources();

/// The application help file (set at start-up, changed by "Other Instruments").
[[nodiscard]] QString applicationHelpFile();
void setApplicationHelpFile(const QString& path);

} // namespace vela::app

/// The program's main window.
extern vela::app::TMainMenuDlg* MainMenuDlg;
