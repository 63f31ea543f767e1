#include "ChartTestData.h"
#include "TestSupport.h"
#include "charts/ChartText.h"
#include "charts/ResultsChartView.h"
#include "charts/TfrmResultsChart.h"
#include "platform/PrivateProfile.h"
#include "translation/Translator.h"

#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QFile>
#include <QLineSeries>
#include <QValueAxis>
#include <cmath>
#include <limits>
#include <memory>

using namespace vela::charts;
using vela::platform::DialogKind;
using vela::results::OpacityRecord;
using vela::results::ResultsRecord;
using vela::test::glossRecord;
using vela::test::opacityRecord;
using vela::test::rampRecord;

namespace {

const QString kDeg60 = QString::fromUtf8("60 °");

class ResultsChartWindow : public vela::test::DialogsFixture {
protected:
    void SetUp() override
    {
        DialogsFixture::SetUp();
        window = std::make_unique<TfrmResultsChart>();
        window->setResultsPathSource([this] { return currentPath; });
    }
    void TearDown() override
    {
        window.reset();
        DialogsFixture::TearDown();
    }
    bool show(int slot, const ResultsRecord& r, const QString& path = QStringLiteral("C:\\data\\run7.res"))
    {
        currentPath = path;
        const bool ok = window->ShowResults(QStringLiteral("C:\\data"), r, OpacityRecord{}, slot,
                                            kDeg60, 0);
        QApplication::processEvents();
        return ok;
    }
    // Where a value of a slot's series lies in the chart view.
    QPoint viewPosOf(const QPointF& value, int slot = 0) const
    {
        QChart* chart = window->chart();
        const QPointF at = chart->mapToPosition(value, window->series(slot));
        return window->chartView()->mapFromScene(chart->mapToScene(at));
    }
    std::unique_ptr<TfrmResultsChart> window;
    QString currentPath;
};

} // namespace

TEST_F(ResultsChartWindow, ShowResultsPlotsTitlesAndShowsTheWindow)
{
    ASSERT_TRUE(show(0, rampRecord(20, 80.0f, 0.5f)));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->series(0)->count(), 20);
    EXPECT_EQ(window->series(0)->name(), QString::fromUtf8("60 °run7"));
    EXPECT_EQ(window->series(0)->objectName(), QStringLiteral("Series1"));
    EXPECT_EQ(window->series(14)->objectName(), QStringLiteral("Series21"));
    EXPECT_EQ(window->series(0)->pen().color(), QColor(0x00, 0x00, 0xFF));
    EXPECT_EQ(window->resultsFolder(), QStringLiteral("C:\\data"));

    ASSERT_TRUE(show(3, rampRecord(35, 100.0f, 2.0f), QStringLiteral("C:\\data\\run8.res")));
    EXPECT_EQ(window->currentSlot(), 3);
    EXPECT_EQ(window->series(0)->count(), 20);  // the other slots are kept
    EXPECT_EQ(window->series(3)->name(), QString::fromUtf8("60 °run8"));
    auto* left = qobject_cast<QCategoryAxis*>(window->chart()->axes(Qt::Vertical).first());
    ASSERT_NE(left, nullptr);
    EXPECT_DOUBLE_EQ(left->max(), 200.0);
    EXPECT_TRUE(left->categoriesLabels().contains(QStringLiteral("190.0")));
    auto* bottom = qobject_cast<QValueAxis*>(window->chart()->axes(Qt::Horizontal).first());
    EXPECT_DOUBLE_EQ(bottom->min(), 1.0);
    EXPECT_DOUBLE_EQ(bottom->max(), 35.0);
    EXPECT_TRUE(dialogs().unexpected().isEmpty());
}

TEST_F(ResultsChartWindow, ReflectanceDisplayTitlesBlackAndWhite)
{
    currentPath = QStringLiteral("C:\\data\\run7.res");
    const OpacityRecord op = opacityRecord({82.0f, 83.0f, 81.5f}, {91.0f, 92.5f});
    ASSERT_TRUE(window->ShowResults(QStringLiteral("C:\\data"), ResultsRecord{}, op, 0,
                                    QString::fromUtf8("45/0 °"), 1));
    EXPECT_EQ(window->series(kBlackSlot)->name(), QString::fromUtf8("45/0 °Black run7"));
    EXPECT_EQ(window->series(kWhiteSlot)->name(), QString::fromUtf8("45/0 °White run7"));
    EXPECT_EQ(window->series(kBlackSlot)->count(), 3);
    EXPECT_EQ(window->series(kWhiteSlot)->count(), 2);
    EXPECT_EQ(window->currentSlot(), 2);
    EXPECT_EQ(window->model().yUnits(), QStringLiteral("Ref"));
}

TEST_F(ResultsChartWindow, BadRecordsAreShownWithoutCrashOrReadingPastThem)
{
    ASSERT_TRUE(show(1, rampRecord(10, 50.0f, 1.0f)));
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (int count : {0, -7, 1001, 65535}) {
        ResultsRecord r = rampRecord(10, 60.0f, 1.0f);
        r.sampleCount = count;
        EXPECT_TRUE(show(1, r, QStringLiteral("C:\\data\\bad.res"))) << count;
        EXPECT_EQ(window->series(1)->count(), 10) << count;  // not plotted, not emptied
        EXPECT_EQ(window->series(1)->name(), QString::fromUtf8("60 °bad"));
    }
    ASSERT_TRUE(show(1, glossRecord({nan, 5.0f, inf, -inf})));
    EXPECT_EQ(window->series(1)->count(), 1);
    ASSERT_TRUE(show(0, glossRecord({7.0f})));
    EXPECT_EQ(window->series(0)->count(), 1);
    window->ChartMouseMove(viewPosOf(QPointF(1, 7.0)));
    EXPECT_EQ(window->readOut(), QStringLiteral("Samples 1 , 7.0 GU"));

    OpacityRecord op = opacityRecord({1.0f}, {2.0f});
    op.blackCount = 999;
    op.whiteCount = 1000000;
    EXPECT_TRUE(window->ShowResults({}, ResultsRecord{}, op, 0, {}, 1));
    EXPECT_TRUE(dialogs().unexpected().isEmpty());
}

TEST_F(ResultsChartWindow, AnUnknownSlotIsRefusedWithTheChartError)
{
    dialogs().expectMessage(QStringLiteral("Unable to show Chart"));
    EXPECT_FALSE(show(15, rampRecord(5, 1.0f, 1.0f)));
    ASSERT_EQ(dialogs().shown().size(), 1);
    EXPECT_EQ(dialogs().shown().first().caption, QStringLiteral("Results Chart Error"));
    EXPECT_EQ(window->series(15)->count(), 0);
}

TEST_F(ResultsChartWindow, ClearAndHighlight)
{
    ASSERT_TRUE(show(0, rampRecord(5, 10.0f, 1.0f)));
    ASSERT_TRUE(show(2, rampRecord(5, 20.0f, 1.0f)));
    window->HighlightSlot(2);
    EXPECT_EQ(window->series(2)->pen().width(), 2);
    EXPECT_EQ(window->series(2)->pen().color(), QColor(Qt::black));
    EXPECT_EQ(window->series(2)->markerSize(), 9.0);
    EXPECT_EQ(window->series(0)->pen().width(), 1);
    window->HighlightSlot(0);
    EXPECT_EQ(window->series(2)->pen().color(), QColor(0x00, 0x40, 0x00));

    window->ClearSlot(2);
    EXPECT_EQ(window->series(2)->count(), 0);
    EXPECT_FALSE(window->model().inLegend(2));
    window->ClearAllSlots();
    for (int s = 0; s < kSlotCount; ++s) {
        EXPECT_EQ(window->series(s)->count(), 0);
        EXPECT_TRUE(window->series(s)->name().isEmpty());
        EXPECT_FALSE(window->model().isHighlighted(s));
    }
}

TEST_F(ResultsChartWindow, ReadOutAndCrossHairFollowSlotZero)
{
    ResultsRecord r = rampRecord(20, 60.0f, 1.0f);
    r.values[11] = 85.34f;
    ASSERT_TRUE(show(0, r));
    window->ChartMouseMove(viewPosOf(QPointF(12, 40.0)));  // below the point: reads the sample
    EXPECT_EQ(window->readOut(), QStringLiteral("Samples 12 , 85.3 GU"));
    ASSERT_TRUE(window->crossHairShown());
    const QPointF point = window->chart()->mapToPosition(QPointF(12, 85.34), window->series(0));
    EXPECT_NEAR(window->crossHairHorizontal().y1(), point.y(), 0.5);

    window->ChartMouseMove(QPoint(1, 1));  // outside the plot area
    EXPECT_TRUE(window->readOut().isEmpty());
    EXPECT_FALSE(window->crossHairShown());

    ASSERT_TRUE(show(3, rampRecord(20, 10.0f, 1.0f)));
    const QPoint at = viewPosOf(QPointF(5, 50.0), 3);
    window->ChartMouseMove(at);
    const QPointF v = window->chart()->mapToValue(
        window->chart()->mapFromScene(window->chartView()->mapToScene(at)), window->series(3));
    EXPECT_EQ(window->readOut(), readOutText(QStringLiteral("Samples"), v.x(), v.y(), QStringLiteral("GU")));
    EXPECT_NEAR(v.y(), 50.0, 1.0);
}

TEST_F(ResultsChartWindow, CursorsGiveTheRateOfChange)
{
    ASSERT_TRUE(show(0, rampRecord(20, 10.0f, 2.0f)));
    window->SelectC1Click();
    window->ChartMouseMove(viewPosOf(QPointF(5, 18.0)));
    window->SelectC1Click();
    window->SelectC2Click();
    window->ChartMouseMove(viewPosOf(QPointF(15, 38.0)));
    window->SelectC2Click();
    QLineSeries* c1 = window->cursorSeries(CursorId::C1);
    ASSERT_TRUE(c1->isVisible());
    EXPECT_EQ(c1->objectName(), QStringLiteral("Series2"));
    EXPECT_FLOAT_EQ(float(c1->at(1).y()), 18.0f);
    EXPECT_NEAR(window->model().rate(), 2.0, 0.05);
    EXPECT_TRUE(window->deltaShown());
    EXPECT_EQ(window->deltaText(),
              vela::TranslateText(QStringLiteral("Rate of Change")) + rateSuffix(window->model().rate()));

    window->HideC1C2Click();
    EXPECT_FALSE(c1->isVisible());
    EXPECT_FALSE(window->deltaShown());
    EXPECT_FALSE(window->model().cursorsPlaced());
}

TEST_F(ResultsChartWindow, SaveWritesTheCurrentSetAsCsv)
{
    ASSERT_TRUE(show(0, glossRecord({85.34f, 86.0f, 84.5f})));
    const QString path = tempPath(QStringLiteral("set.csv"));
    dialogs().expectSave(QStringLiteral("Save Chart Data to CSV Format"), path);
    window->SaveAs2Click();
    EXPECT_EQ(vela::test::readAll(path),
              QByteArray(",,Description,X units, Y unints\r,,Description,Samples,GU\r"
                         "1,85.340\r2,86.000\r3,84.500\r"));
    ASSERT_FALSE(dialogs().shown().isEmpty());
    EXPECT_EQ(dialogs().shown().last().directory, QStringLiteral("C:\\data"));
    EXPECT_EQ(dialogs().shown().last().fileName, QStringLiteral("*.CSV"));

    dialogs().expectSave(QStringLiteral("Save Chart Data"), QString());  // cancelled
    window->SaveAs2Click();
    const QString unwritable = tempPath(QStringLiteral("missing/folder/x.csv"));
    dialogs().expectSave(QStringLiteral("Save Chart Data"), unwritable);
    window->SaveAs2Click();  // ends quietly
    EXPECT_FALSE(QFile::exists(unwritable));
    EXPECT_TRUE(dialogs().unexpected().isEmpty());
}

TEST_F(ResultsChartWindow, ScaleMenuAndDataLimits)
{
    ASSERT_TRUE(show(0, rampRecord(30, 40.0f, 1.0f)));
    window->ScaleMenuClick(50);
    auto* left = qobject_cast<QCategoryAxis*>(window->chart()->axes(Qt::Vertical).first());
    EXPECT_DOUBLE_EQ(left->max(), 50.0);
    EXPECT_EQ(left->categoriesLabels().size(), 11);
    window->Auto1Click();
    auto* bottom = qobject_cast<QValueAxis*>(window->chart()->axes(Qt::Horizontal).first());
    EXPECT_DOUBLE_EQ(bottom->min(), 0.0);
    EXPECT_DOUBLE_EQ(left->min(), 40.0);
    EXPECT_DOUBLE_EQ(left->max(), 69.0);
}

TEST_F(ResultsChartWindow, ViewToggleAnalysisHookColourAndClose)
{
    ASSERT_TRUE(show(0, rampRecord(10, 40.0f, 1.0f)));
    window->ViewGraph3DClick();
    EXPECT_TRUE(window->is3D());
    EXPECT_EQ(window->series(0)->opacity(), 0.0);  // the depth view draws the lines
    window->ViewGraph3DClick();
    EXPECT_FALSE(window->is3D());

    QString handed;
    window->setAnalysisHook([&handed](const QString& folder) { handed = folder; });
    window->btAnalysisClick();
    EXPECT_EQ(handed, QStringLiteral("C:\\data"));

    dialogs().expect({DialogKind::Colour, {}, vela::platform::IDOK, {}, true, QColor(0, 128, 0), false});
    window->CrossHairColour1Click();
    EXPECT_EQ(window->crossHairColour(), QColor(0, 128, 0));

    window->Exit1Click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->series(0)->count(), 10);
}

TEST_F(ResultsChartWindow, PlacementIsReadAtCreationAndWrittenAtDestruction)
{
    const QString section = QStringLiteral("Panel Results Chart");
    window.reset();
    {
        vela::platform::PrivateProfile ini = vela::platform::settingsFile();
        ini.writeInteger(section, QStringLiteral("Width"), 700);
        ini.writeInteger(section, QStringLiteral("Height"), 520);
        ini.writeInteger(section, QStringLiteral("Top"), 120);
        ini.writeInteger(section, QStringLiteral("Left"), 30);
    }
    window = std::make_unique<TfrmResultsChart>();
    EXPECT_EQ(window->size(), QSize(700, 520));
    EXPECT_EQ(window->pos(), QPoint(30, 120));
    window->resize(640, 480);
    window.reset();
    const vela::platform::PrivateProfile ini = vela::platform::settingsFile();
    EXPECT_EQ(ini.readInteger(section, QStringLiteral("Width"), 0), 640);
    EXPECT_EQ(ini.readInteger(section, QStringLiteral("Height"), 0), 480);
    EXPECT_EQ(ini.readInteger(section, QStringLiteral("Window State"), -1), 0);
}

TEST_F(ResultsChartWindow, CreationDefaultsAndTheGlobalPointer)
{
    window.reset();
    ASSERT_EQ(frmResultsChart, nullptr);
    TfrmResultsChart* created = CreateResultsChart();
    EXPECT_EQ(frmResultsChart, created);
    EXPECT_FALSE(created->isVisible());
    EXPECT_EQ(created->size(), QSize(561, 689));
    EXPECT_EQ(created->pos(), QPoint(2, 50));
    EXPECT_EQ(created->crossHairColour(), QColor(0xFF, 0x00, 0x00));
    delete created;
    EXPECT_EQ(frmResultsChart, nullptr);
}
