#include "TMainMenuDlg.h"

#include "TAboutBox.h"
#include "platform/Launcher.h"
#include "platform/Paths.h"
#include "platform/PrivateProfile.h"
#include "platform/WindowPlacement.h"
#include "translation/Translator.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QSvgRenderer>
#include <QPainter>
#include <QTimer>
#include <QToolButton>

vela::app::TMainMenuDlg* MainMenuDlg = nullptr;

static void initArtResourcesOnce()
{
    Q_INIT_RESOURCE(art);
}

namespace vela::app {
namespace {

const QString kSection = QStringLiteral("Panel Main Menu");
const QString kDefaultWebSite = QStringLiteral("https://www.vela-instruments.example/");
constexpr QSize kDesignSize(950, 748);
constexpr QSize kBackdrop(880, 560);
constexpr int kButtonRowTop = 572;
constexpr int kBoxHeight = 690;
constexpr int kBoxWidth = 900;

QString& helpFile()
{
    static QString file;
    return file;
}

QPixmap renderSvg(const QString& path, QSize size)
{
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    QSvgRenderer(path).render(&p);
    return pm;
}

} // namespace

void initArtResources()
{
    static const bool done = (initArtResourcesOnce(), true);
    Q_UNUSED(done);
}

QString applicationHelpFile()
{
    return helpFile();
}

void setApplicationHelpFile(const QString& path)
{
    helpFile() = path;
}

QPoint centreBoxPosition(int H, int W, int h, int w)
{
    if (h < H - 45 && w < W - 4)
        return {W / 2 - w / 2 - 2, H / 2 - h / 2 - 25};
    return {4, 5};
}

TMainMenuDlg::TMainMenuDlg(QWidget* parent) : QMainWindow(parent)
{
    initArtResources();
    setObjectName(QStringLiteral("MainMenuDlg"));
    setWindowTitle(QStringLiteral("Vela-Soft"));
    setWindowIcon(QIcon(QStringLiteral(":/art/icon.svg")));
    resize(kDesignSize);
    setMinimumSize(320, 240);
    buildCentreBox();
    buildMenus();
    buildActions();
    // Designed placement: the centre of the screen; the settings file may move it.
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect a = s->availableGeometry();
        move(a.center() - QPoint(kDesignSize.width() / 2, kDesignSize.height() / 2));
    }
    const platform::PrivateProfile ini = platform::settingsFile();
    move(ini.readInteger(kSection, QStringLiteral("Left"), x()),
         ini.readInteger(kSection, QStringLiteral("Top"), y()));
    m_programDir = platform::programDirectory();
    m_items[QStringLiteral("Tester1")]->setVisible(false);

    Timer1 = new QTimer(this);
    Timer1->setInterval(5000);
    connect(Timer1, &QTimer::timeout, this, &TMainMenuDlg::Timer1Timer);
    Timer1->start();
}

TMainMenuDlg::~TMainMenuDlg()
{
    platform::PrivateProfile ini = platform::settingsFile();
    ini.writeInteger(kSection, QStringLiteral("Top"), y());
    ini.writeInteger(kSection, QStringLiteral("Left"), x());
}

QString TMainMenuDlg::webSite() const
{
    return platform::settingsFile().readString(kSection, QStringLiteral("Web Site"), kDefaultWebSite);
}

void TMainMenuDlg::buildCentreBox()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("MainPanel"));
    central->setAutoFillBackground(true);
    QPalette pal = central->palette();
    pal.setColor(QPalette::Window, QColor(0xe9, 0xf1, 0xf6));
    central->setPalette(pal);
    setCentralWidget(central);

    CentreBox = new QGroupBox(central);
    CentreBox->setObjectName(QStringLiteral("CentreBox"));
    CentreBox->setFlat(true);
    CentreBox->setFixedSize(kBoxWidth, kBoxHeight);
    CentreBox->setStyleSheet(QStringLiteral(
        "#CentreBox { background: #f7fafc; border: 1px solid #b9cfdd; border-radius: 8px; }"));

    imBackdrop = new QLabel(CentreBox);
    imBackdrop->setObjectName(QStringLiteral("imBackdrop"));
    imBackdrop->setGeometry(10, 10, kBackdrop.width(), kBackdrop.height());
    imBackdrop->setPixmap(renderSvg(QStringLiteral(":/art/backdrop.svg"), kBackdrop));

    imWebsite = new QToolButton(CentreBox);
    imWebsite->setObjectName(QStringLiteral("imWebsite"));
    imWebsite->setGeometry(34, 32, 410, 130);
    imWebsite->setAutoRaise(true);
    imWebsite->setCursor(Qt::PointingHandCursor);
    imWebsite->setStyleSheet(QStringLiteral("QToolButton { background: transparent; border: none; }"));
    imWebsite->setAccessibleName(QStringLiteral("Web site"));
    imWebsite->setToolTip(webSite());
    connect(imWebsite, &QToolButton::clicked, this, &TMainMenuDlg::imWebsiteClick);

    struct B { const char* name; const char* glyph; const char* label; const char* labelName;
               const char* hint; Command cmd; };
    const B buttons[] = {
        {"btConnect", "connect", "Connect", "lbConnect", "Connect and download gloss results", Command::Connect},
        {"btAnalysis", "analysis", "Analysis", "lbAnalysis", "Analysing data in spreadsheet form", Command::Analysis},
        {"btGraph", "graph", "Graph", "lbGraph", "Display Graphical Data", Command::Graph},
        {"btLoadResults", "load", "Load", "lbLoad", "Load previously saved results", Command::Load},
        {"btPreferences", "setup", "Set-up", "lbPreferences", "Preferences", Command::Preferences},
        {"btHelp", "help", "Help", "lbHelp", "Help contents", Command::CalDate},
        {"btExit", "exit", "Exit", "lbExit", "Exit", Command::CalDate},
    };
    int column = 0;
    for (const B& b : buttons) {
        QToolButton* btn = addPictureButton(QString::fromLatin1(b.name), QString::fromLatin1(b.glyph),
                                            QString::fromLatin1(b.label), QString::fromLatin1(b.labelName),
                                            QString::fromLatin1(b.hint), column++);
        if (b.cmd != Command::CalDate) {
            const Command cmd = b.cmd;
            connect(btn, &QToolButton::clicked, this, [this, cmd] { run(cmd); });
            m_commandControls[cmd] << btn;
        }
    }
    connect(m_buttons[QStringLiteral("btHelp")], &QToolButton::clicked, this, &TMainMenuDlg::Contents1Click);
    connect(m_buttons[QStringLiteral("btExit")], &QToolButton::clicked, this, &TMainMenuDlg::Exit1Click);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    QAction* show = PopupMenu1->addAction(QStringLiteral("Show Vela-Soft"), this, [this] {
        setWindowState(windowState() & ~Qt::WindowMinimized);
        showNormal();
        activateWindow();
    });
    show->setObjectName(QStringLiteral("ShowVelaSoft1"));
    QAction* close = PopupMenu1->addAction(QStringLiteral("Close Vela-Soft"), this, &QWidget::close);
    close->setObjectName(QStringLiteral("CloseVelaSoft1"));
    m_items[show->objectName()] = show;
    m_items[close->objectName()] = close;
    // Offered as the backdrop's context menu.
    imBackdrop->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(imBackdrop, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenu1->popup(imBackdrop->mapToGlobal(pos)); });
}

QToolButton* TMainMenuDlg::addPictureButton(const QString& name, const QString& glyph,
                                            const QString& label, const QString& labelName,
                                            const QString& hint, int column)
{
    const int cell = kBoxWidth / 7;
    auto* btn = new QToolButton(CentreBox);
    btn->setObjectName(name);
    btn->setIcon(QIcon(QStringLiteral(":/art/btn_%1.svg").arg(glyph)));
    btn->setIconSize(QSize(56, 56));
    btn->setGeometry(column * cell + (cell - 76) / 2, kButtonRowTop, 76, 76);
    btn->setToolTip(hint);
    btn->setAccessibleName(label);
    btn->setAccessibleDescription(hint);
    btn->setCursor(Qt::PointingHandCursor);
    btn->setStyleSheet(QStringLiteral(
        "QToolButton { background: #ffffff; border: 1px solid #b9cfdd; border-radius: 10px; }"
        "QToolButton:hover { background: #e3f2fb; border-color: #1b8fc9; }"
        "QToolButton:pressed { background: #cfe7f5; }"
        "QToolButton:disabled { background: #eef2f5; }"));
    auto* lb = new QLabel(label, CentreBox);
    lb->setObjectName(labelName);
    lb->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lb->setGeometry(column * cell, kButtonRowTop + 80, cell, 30);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(19);
    f.setBold(true);
    lb->setFont(f);
    lb->setStyleSheet(QStringLiteral("color: #173b54;"));
    lb->setBuddy(btn);
    m_buttons[name] = btn;
    m_labels[labelName] = lb;
    return btn;
}

void TMainMenuDlg::buildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    auto item = [this](QAction* a, const QString& name) {
        a->setObjectName(name);
        m_items[name] = a;
        return a;
    };
    auto menu = [&](const QString& caption, const QString& name) {
        QMenu* m = bar->addMenu(caption);
        m->setObjectName(name);
        item(m->menuAction(), name);
        return m;
    };
    auto cmd = [this](QAction* a, Command c) {
        connect(a, &QAction::triggered, this, [this, c] { run(c); });
        m_commandControls[c] << a;
    };
    QMenu* file = menu(QStringLiteral("&File"), QStringLiteral("File1"));
    QAction* load = item(file->addAction(QStringLiteral("&Load")), QStringLiteral("LoadResults1"));
    load->setShortcut(QKeySequence(QStringLiteral("Alt+L")));
    cmd(load, Command::Load);
    QAction* exit = item(file->addAction(QStringLiteral("&Exit")), QStringLiteral("Exit1"));
    exit->setShortcut(QKeySequence(QStringLiteral("Alt+F4")));
    connect(exit, &QAction::triggered, this, &TMainMenuDlg::Exit1Click);

    QMenu* configure = menu(QStringLiteral("&Configure"), QStringLiteral("Configure1"));
    cmd(item(configure->addAction(QStringLiteral("&Preferences")), QStringLiteral("Preferences1")),
        Command::Preferences);
    cmd(item(configure->addAction(QStringLiteral("&Language")), QStringLiteral("Language1")),
        Command::Language);
    cmd(item(configure->addAction(QStringLiteral("System Constants")), QStringLiteral("SystemConstants1")),
        Command::SystemConstants);
    cmd(item(bar->addAction(QStringLiteral("C&onnect")), QStringLiteral("Connect1")), Command::Connect);
    cmd(item(bar->addAction(QStringLiteral("&Graph")), QStringLiteral("Graph1")), Command::Graph);
    cmd(item(bar->addAction(QStringLiteral("&Analysis")), QStringLiteral("Analysis1")), Command::Analysis);
    QMenu* window = menu(QStringLiteral("&Window"), QStringLiteral("Window1"));
    connect(item(window->addAction(QStringLiteral("&Arrange All")), QStringLiteral("ArrangeAll1")),
            &QAction::triggered, this, &TMainMenuDlg::ArrangeAll1Click);
    QMenu* help = menu(QStringLiteral("&Help"), QStringLiteral("Help1"));
    connect(item(help->addAction(QStringLiteral("&Vela-Soft Contents")), QStringLiteral("Contents1")),
            &QAction::triggered, this, &TMainMenuDlg::Contents1Click);
    connect(item(help->addAction(QStringLiteral("&Other Instruments")), QStringLiteral("OtherInstruments1")),
            &QAction::triggered, this, &TMainMenuDlg::OtherInstruments1Click);
    connect(item(help->addAction(QStringLiteral("&About")), QStringLiteral("About1")),
            &QAction::triggered, this, &TMainMenuDlg::About1Click);
    QAction* setupIf = item(bar->addAction(QStringLiteral("Setup Interface")), QStringLiteral("SetupInterface1"));
    setupIf->setEnabled(false);
    setupIf->setVisible(false);
    cmd(setupIf, Command::SetupInterface);
    cmd(item(bar->addAction(QStringLiteral("Tester")), QStringLiteral("Tester1")), Command::Tester);
}

void TMainMenuDlg::buildActions()
{
    struct A { const char* name; const char* key; };
    const A actions[] = {{"HelpContents", "F1"}, {"EnableSetupInterface", "Ctrl+P"},
                         {"VisibleSetupInterface", "Ctrl+S"}, {"EnableSetupInterface2", "Ctrl+E"},
                         {"CalDate", "Ctrl+W"}};
    for (const A& a : actions) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromLatin1(a.name));
        action->setShortcut(QKeySequence(QString::fromLatin1(a.key)));
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        m_items[action->objectName()] = action;
    }
    connect(m_items[QStringLiteral("HelpContents")], &QAction::triggered, this, &TMainMenuDlg::Contents1Click);
    connect(m_items[QStringLiteral("CalDate")], &QAction::triggered, this, [this] { run(Command::CalDate); });
    // The three set-up-interface actions are designed to do nothing. Commands start disabled
    // until the program binds the window that carries them.
    for (auto it = m_commandControls.cbegin(); it != m_commandControls.cend(); ++it)
        bind(it.key(), {});
}

void TMainMenuDlg::bind(Command command, std::function<void()> fn)
{
    const bool on = bool(fn);
    m_commands[command] = std::move(fn);
    for (QObject* o : m_commandControls.value(command)) {
        if (auto* a = qobject_cast<QAction*>(o); a && a->objectName() != QStringLiteral("SetupInterface1"))
            a->setEnabled(on);
        else if (auto* b = qobject_cast<QToolButton*>(o))
            b->setEnabled(on);
    }
}

void TMainMenuDlg::bindInstrument(std::function<bool()> connected, std::function<void()> switchOff)
{
    m_connected = std::move(connected);
    m_switchOff = std::move(switchOff);
}

void TMainMenuDlg::run(Command command)
{
    if (const auto fn = m_commands.value(command))
        fn();
}

void TMainMenuDlg::Timer1Timer()
{
    if (m_tag != 0)
        return;
    setWindowTitle(TranslateText(QStringLiteral("Vela-Soft")));
    const char* items[] = {"File1", "Exit1", "Preferences1", "Language1", "SystemConstants1",
                           "Connect1", "Graph1", "Analysis1", "Help1", "Contents1",
                           "OtherInstruments1", "About1", "ShowVelaSoft1", "CloseVelaSoft1",
                           "Window1", "ArrangeAll1"};
    for (const char* name : items) {
        QAction* a = m_items.value(QString::fromLatin1(name));
        a->setText(TranslateText(a->text()));
    }
    for (QLabel* l : std::as_const(m_labels))
        l->setText(TranslateText(l->text()));
    for (QToolButton* b : std::as_const(m_buttons)) {
        b->setToolTip(TranslateText(b->toolTip()));
        b->setAccessibleDescription(b->toolTip());
    }
    m_tag = 1;
}

void TMainMenuDlg::centre()
{
    const QSize outer = frameGeometry().size();
    const QPoint p = centreBoxPosition(outer.height(), outer.width(), CentreBox->height(),
                                       CentreBox->width());
    CentreBox->move(p);
}

void TMainMenuDlg::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    centre();
}

void TMainMenuDlg::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    centre();
}

void TMainMenuDlg::ArrangeAll1Click()
{
    QList<QWidget*> windows{this};
    windows += m_arrange;
    for (QWidget* w : windows) {
        if (!w)
            continue;
        w->setWindowState(w->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
        platform::centreOnScreen(w);
    }
}

void TMainMenuDlg::Contents1Click()
{
    platform::openExternal(platform::joinPath(m_programDir, QStringLiteral("\\sys\\Vela-Soft Help.chm")));
}

void TMainMenuDlg::OtherInstruments1Click()
{
    setApplicationHelpFile(platform::joinPath(m_programDir, QStringLiteral("\\sys\\Otherins.hlp")));
    platform::openExternal(applicationHelpFile());
}

void TMainMenuDlg::About1Click()
{
    if (AboutBox)
        AboutBox->showOver(this);
}

void TMainMenuDlg::imWebsiteClick()
{
    platform::openExternal(webSite());
}

void TMainMenuDlg::Exit1Click()
{
    if (m_connected && m_switchOff && m_connected())
        m_switchOff();
    close();
}

void TMainMenuDlg::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        QApplication::quit();
}

} // namespace vela::app
