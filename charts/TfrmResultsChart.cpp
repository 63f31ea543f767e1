// The results chart window: construction, menus, settings and the operations other windows call.
#include "charts/TfrmResultsChart.h"

#include "charts/ChartIcons.h"
#include "charts/ResultsChartView.h"
#include "platform/Dialogs.h"
#include "platform/PrivateProfile.h"
#include "platform/WindowPlacement.h"
#include "translation/Translator.h"

#include <QAction>
#include <QCategoryAxis>
#include <QChart>
#include <QCloseEvent>
#include <QGraphicsLineItem>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QToolBar>
#include <QVBoxLayout>
#include <QValueAxis>

vela::charts::TfrmResultsChart* frmResultsChart = nullptr;

vela::charts::TfrmResultsChart* CreateResultsChart()
{
    if (!frmResultsChart)
        frmResultsChart = new vela::charts::TfrmResultsChart();
    return frmResultsChart;
}

namespace vela::charts {

namespace {

const QString kSection = QStringLiteral("Panel Results Chart");
constexpr int kDesignTop = 50, kDesignLeft = 2, kDesignHeight = 689, kDesignWidth = 561;
constexpr int kMaxFolderLength = 259;

struct ScaleItem {
    const char* name;
    const char* caption;
    int gu;
};

constexpr ScaleItem kScaleItems[] = {
    {"N01mN1", "10 GU", 10},       {"N02mN1", "20 GU", 20},     {"N05mN1", "50 GU", 50},
    {"N100mN1", "100 GU", 100},    {"N500mN1", "500 GU", 500},  {"N1000mN1", "1000 GU", 1000},
    {"N1500mN1", "1500 GU", 1500}, {"N5000mN1", "2000 GU", 2000},
};

QString T(const char* text)
{
    return vela::TranslateText(QString::fromLatin1(text));
}

QAction* makeAction(QObject* owner, const char* name, const QString& caption)
{
    auto* a = new QAction(caption, owner);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

} // namespace

TfrmResultsChart::TfrmResultsChart()
{
    setObjectName(QStringLiteral("frmResultsChart"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_model.setUnits(T("Samples"), T("GU"));
    buildChart();
    buildWindow();
    buildMenus();
    buildToolBar();
    translateCaptions();
    readSettings();
    if (!frmResultsChart)
        frmResultsChart = this;
}

TfrmResultsChart::~TfrmResultsChart()
{
    writeSettings();
    if (frmResultsChart == this)
        frmResultsChart = nullptr;
}

void TfrmResultsChart::buildWindow()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(6, 4, 10, 6);
    layout->setSpacing(3);

    ChartStatus = new QLabel(central);
    ChartStatus->setObjectName(QStringLiteral("ChartStatus"));
    ChartStatus->setAlignment(Qt::AlignCenter);
    QFont bold = ChartStatus->font();
    bold.setBold(true);
    ChartStatus->setFont(bold);
    layout->addWidget(ChartStatus);

    XYValue = new QLabel(central);
    XYValue->setObjectName(QStringLiteral("XYValue"));
    XYValue->setMinimumHeight(XYValue->fontMetrics().height() + 2);
    layout->addWidget(XYValue);

    m_view = new ResultsChartView(m_chart, central);
    m_view->setObjectName(QStringLiteral("Chart1"));
    m_view->setCursor(Qt::CrossCursor);
    m_view->setMinimumSize(200, 150);
    layout->addWidget(m_view, 1);

    Delta = new QLabel(central);
    Delta->setObjectName(QStringLiteral("Delta"));
    Delta->setVisible(false);
    layout->addWidget(Delta);
    setCentralWidget(central);

    connect(m_view, &ResultsChartView::mouseMoved, this, &TfrmResultsChart::ChartMouseMove);
    connect(m_view, &ResultsChartView::mouseLeft, this, [this] {
        XYValue->clear();
        forgetCrossHair();
    });
    connect(m_view, &ResultsChartView::popupRequested, this,
            [this](const QPoint& at) { m_popup->popup(at); });
    connect(m_view, &ResultsChartView::zoomUndoRequested, this, [this] { syncAxes(); });
    connect(m_view, &ResultsChartView::viewChanged, this, [this] {
        forgetCrossHair();
        m_marks->update();
        m_depth->update();
    });
}

void TfrmResultsChart::buildMenus()
{
    QMenu* file = menuBar()->addMenu(T("&File"));
    file->setObjectName(QStringLiteral("File1"));
    QAction* save = makeAction(this, "SaveAs2", T("&Save"));
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(save, &QAction::triggered, this, &TfrmResultsChart::SaveAs2Click);
    QAction* setup = makeAction(this, "SetupPrinter1", T("Page &Setup"));
    connect(setup, &QAction::triggered, this, &TfrmResultsChart::SetupPrinter1Click);
    QAction* print = makeAction(this, "Print1", T("&Print"));
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    connect(print, &QAction::triggered, this, &TfrmResultsChart::PrintGraphClick);
    QAction* exit = makeAction(this, "Exit1", T("E&xit"));
    connect(exit, &QAction::triggered, this, &TfrmResultsChart::Exit1Click);
    file->addActions({save, setup, print});
    file->addSeparator();
    file->addAction(exit);

    QMenu* view = menuBar()->addMenu(T("&View"));
    view->setObjectName(QStringLiteral("View1"));
    QMenu* graph = view->addMenu(T("&Graph"));
    graph->setObjectName(QStringLiteral("Graph1"));
    Graph3D = makeAction(this, "N3Dor2D1", T("&3D or  2D"));
    connect(Graph3D, &QAction::triggered, this, &TfrmResultsChart::ViewGraph3DClick);
    graph->addAction(Graph3D);
    QAction* analysis = makeAction(this, "AnalysisSheet1", T("Analysis Sheet"));
    connect(analysis, &QAction::triggered, this, &TfrmResultsChart::btAnalysisClick);
    view->addAction(analysis);

    QMenu* scale = menuBar()->addMenu(T("S&cale"));
    scale->setObjectName(QStringLiteral("Scale1"));
    for (const ScaleItem& item : kScaleItems) {
        // The scale values are numbers and units, the same in every language.
        QAction* a = makeAction(this, item.name, QString::fromLatin1(item.caption));
        const int gu = item.gu;
        connect(a, &QAction::triggered, this, [this, gu] { ScaleMenuClick(gu); });
        scale->addAction(a);
    }
    scale->addSeparator();
    QAction* limits = makeAction(this, "Auto1", T("Data &Limits"));
    connect(limits, &QAction::triggered, this, &TfrmResultsChart::Auto1Click);
    scale->addAction(limits);

    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenu1"));
    QAction* save2 = makeAction(this, "Save1", T("&Save"));
    connect(save2, &QAction::triggered, this, &TfrmResultsChart::SaveAs2Click);
    QAction* printGraph = makeAction(this, "PrintGraph", T("&Print Graph"));
    connect(printGraph, &QAction::triggered, this, &TfrmResultsChart::PrintGraphClick);
    ViewGraph3D = makeAction(this, "ViewGraph3D", T("View Graph 3D"));
    ViewGraph3D->setCheckable(true);
    connect(ViewGraph3D, &QAction::triggered, this, &TfrmResultsChart::ViewGraph3DClick);
    QAction* copy = makeAction(this, "CopyGraph", T("&Copy Graph"));
    connect(copy, &QAction::triggered, this, &TfrmResultsChart::CopyGraphClick);
    QAction* colour = makeAction(this, "CrossHairColour1", T("C&ross Hair Colour"));
    connect(colour, &QAction::triggered, this, &TfrmResultsChart::CrossHairColour1Click);
    SelectC1 = makeAction(this, "SelectC1", T("Select C&1"));
    SelectC2 = makeAction(this, "SelectC2", T("Select C&2"));
    HideC1C2 = makeAction(this, "HideC1C2", T("&Hide C1 && C2"));
    for (QAction* a : {SelectC1, SelectC2, HideC1C2}) {
        a->setCheckable(true);
        a->setVisible(false);  // reached through the handlers, not shown in the menu
    }
    HideC1C2->setChecked(true);
    connect(SelectC1, &QAction::triggered, this, &TfrmResultsChart::SelectC1Click);
    connect(SelectC2, &QAction::triggered, this, &TfrmResultsChart::SelectC2Click);
    connect(HideC1C2, &QAction::triggered, this, &TfrmResultsChart::HideC1C2Click);
    m_popup->addActions({save2, printGraph, ViewGraph3D, copy, colour});
    m_popup->addSeparator();
    m_popup->addActions({SelectC1, SelectC2, HideC1C2});
}

void TfrmResultsChart::buildToolBar()
{
    QToolBar* bar = addToolBar(T("Tools"));
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setIconSize(QSize(24, 24));
    struct Button {
        const char* name;
        const char* hint;
        QIcon icon;
        void (TfrmResultsChart::*handler)();
    };
    const Button buttons[] = {
        {"btPrint", "Print", printIcon(), &TfrmResultsChart::PrintGraphClick},
        {"btAnalysis", "Analysing data in spreadsheet form", analysisIcon(),
         &TfrmResultsChart::btAnalysisClick},
        {"btExit", "Exit", exitIcon(), &TfrmResultsChart::Exit1Click},
    };
    for (const Button& b : buttons) {
        const QString hint = T(b.hint);
        QAction* a = bar->addAction(b.icon, hint);
        a->setObjectName(QString::fromLatin1(b.name) + QStringLiteral("Action"));
        a->setToolTip(hint);
        connect(a, &QAction::triggered, this, b.handler);
        if (QWidget* w = bar->widgetForAction(a)) {
            w->setObjectName(QString::fromLatin1(b.name));
            w->setAccessibleName(hint);
        }
    }
}

void TfrmResultsChart::translateCaptions()
{
    setWindowTitle(T("Results Chart"));
    ChartStatus->setText(T("Chart Status"));
    ChartStatus->setToolTip(T("Chart Status"));
    ChartStatus->setAccessibleName(T("Chart Status"));
    XYValue->setAccessibleName(QStringLiteral("XYValue"));
    Delta->setText(T("Rate of Change"));
    Delta->setAccessibleName(T("Rate of Change"));
    m_view->setAccessibleName(T("Gloss"));
    setChartTitle(T("Gloss"));
}

void TfrmResultsChart::readSettings()
{
    resize(kDesignWidth, kDesignHeight);
    move(kDesignLeft, kDesignTop);
    platform::restorePlacement(this, kSection, true);
    const platform::PrivateProfile ini = platform::settingsFile();
    m_savedState = ini.readInteger(kSection, QStringLiteral("Window State"), 0);
}

void TfrmResultsChart::writeSettings() const
{
    platform::savePlacement(this, kSection, true);
    platform::PrivateProfile ini = platform::settingsFile();
    const int state = isMinimized() ? 1 : (isMaximized() ? 2 : 0);
    ini.writeInteger(kSection, QStringLiteral("Window State"), state);
}

void TfrmResultsChart::applySavedState()
{
    if (m_stateApplied) {
        show();
        return;
    }
    m_stateApplied = true;
    if (m_savedState == 1)
        showMinimized();
    else if (m_savedState == 2)
        showMaximized();
    else
        showNormal();
}

bool TfrmResultsChart::ShowResults(const QString& resultsFolder,
                                   const results::ResultsRecord& record,
                                   const results::OpacityRecord& opacity, int slot,
                                   const QString& label, int reflectanceFlag)
{
    const bool reflectance = reflectanceFlag != 0;
    if (!reflectance && (slot < 0 || slot >= kGlossSlots)) {
        // Nothing to show it in: the caller gets the chart's own error, nothing is touched.
        vela::TranslatedMessageBox(QStringLiteral("Unable to show Chart"),
                                   QStringLiteral("Results Chart Error"), platform::MB_OK);
        return false;
    }
    try {
        m_model.setReflectanceFlag(reflectance ? 1 : 0);
        if (!isVisible())
            applySavedState();
        raise();
        activateWindow();
        m_resultsFolder = resultsFolder.left(kMaxFolderLength);
        m_model.setCurrentSlot(slot);
        if (slot >= 0 && slot < kGlossSlots)
            m_model.storeResults(slot, record);
        m_model.storeOpacity(opacity);
        const QString path = m_pathSource ? m_pathSource() : QString();
        if (!reflectance) {
            setChartTitle(T("Gloss"));
            m_model.setYUnits(T("GU"));
            PlotSlot(slot);
            SetSlotTitle(path, label, slot);
        } else {
            setChartTitle(T("Reflectance"));
            m_model.setYUnits(T("Ref"));
            PlotReflectance();
            SetSlotTitle(path, label + QStringLiteral("Black "), kBlackSlot);
            SetSlotTitle(path, label + QStringLiteral("White "), kWhiteSlot);
            m_model.setCurrentSlot(2);
        }
        m_model.deactivateCursors();
        syncCursors();
        activateWindow();
        return true;
    } catch (...) {
        hide();
        vela::TranslatedMessageBox(QStringLiteral("Unable to show Chart"),
                                   QStringLiteral("Results Chart Error"), platform::MB_OK);
        throw;
    }
}

void TfrmResultsChart::setChartStatus(const QString& text)
{
    ChartStatus->setText(text);
}

QString TfrmResultsChart::chartStatus() const
{
    return ChartStatus->text();
}

void TfrmResultsChart::closeEvent(QCloseEvent* event)
{
    // Closing always succeeds and only hides the window; the slots keep their data.
    event->accept();
    hide();
}

void TfrmResultsChart::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange)
        repaintChart();
    QMainWindow::changeEvent(event);
}

void TfrmResultsChart::resizeEvent(QResizeEvent* event)
{
    forgetCrossHair();
    QMainWindow::resizeEvent(event);
    syncMargins();
}

void TfrmResultsChart::Exit1Click()
{
    unsetCursor();
    close();
}

void TfrmResultsChart::btAnalysisClick()
{
    repaintChart();
    if (m_analysisHook)
        m_analysisHook(m_resultsFolder);
}

void TfrmResultsChart::ScaleMenuClick(int gu)
{
    SetGlossScale(gu);
}

void TfrmResultsChart::Auto1Click()
{
    m_model.SetLeftAxisAutomatic();
    m_model.SetSampleAxis(0);
    syncAxes();
}

void TfrmResultsChart::CrossHairColour1Click()
{
    repaintChart();
    QColor colour = m_crossHairColour;
    QString caption = T("C&ross Hair Colour");
    caption.remove(QLatin1Char('&'));
    if (platform::dialogs().chooseColor(caption, &colour) && colour.isValid())
        m_crossHairColour = colour;
}

void TfrmResultsChart::ViewGraph3DClick()
{
    if (m_printing)
        return;
    forgetCrossHair();
    const bool on = !m_depth->is3D();
    ViewGraph3D->setChecked(on);
    m_depth->set3D(on);
    for (QLineSeries* s : m_series)
        s->setOpacity(on ? 0.0 : 1.0);  // the depth view draws the lines in their bands
    syncMargins();
    m_marks->update();
}

bool TfrmResultsChart::is3D() const
{
    return m_depth->is3D();
}

} // namespace vela::charts
