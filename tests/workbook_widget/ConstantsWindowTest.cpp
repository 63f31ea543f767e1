// The system constants window over a real constants workbook in a program folder.
#include "TestSupport.h"
#include "workbook/engine/Workbook.h"
#include "workbook/engine/WorkbookFile.h"
#include "workbook/widget/GxGridView.h"
#include "workbook/widget/TGxBookProxy.h"
#include "workbook/widget/TTKVALS1.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

using namespace vela::workbook;
using vela::platform::IDNO;
using vela::platform::IDYES;

namespace {

class ConstantsWindowTest : public vela::test::DialogsFixture {
protected:
    void SetUp() override
    {
        DialogsFixture::SetUp();
        m_oldDir = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(workDir()));
        QDir().mkpath(tempPath(QStringLiteral("sys")));
        writeConstants(QStringLiteral("UK_English"));
        window = std::make_unique<TTKVALS1>();
        TKVALS1 = window.get();
    }
    void TearDown() override
    {
        window.reset();
        QDir::setCurrent(m_oldDir);
        DialogsFixture::TearDown();
    }
    QString constantsPath() const { return tempPath(QStringLiteral("sys/System Constants.VTS")); }
    void writeConstants(const QString& language)
    {
        Workbook wb;
        wb.sheet(0)->setText(1, 1, language);
        wb.sheet(0)->setText(2, 1, QStringLiteral("Service"));
        wb.sheet(0)->setProtected(true);
        ASSERT_TRUE(WorkbookFile::write(wb, constantsPath(), FileType::VtsCurrent));
    }
    QString storedA1() const
    {
        Workbook wb;
        EXPECT_NE(WorkbookFile::read(wb, constantsPath()), FileType::None);
        return wb.sheet(0)->displayText(1, 1);
    }
    void doubleClickA1(Qt::MouseButton button)
    {
        auto* grid = window->component()->grid();
        const QPoint p = grid->visualRect(grid->model()->index(0, 0)).center();
        QTest::mouseDClick(grid->viewport(), button, {}, p);
    }

    /// Opens the window, confirms editing and types text into A1.
    void openAndEditA1(const QString& text)
    {
        window->ShowSystemConstants(workDir(), 1);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        dialogs().expectMessage(QStringLiteral("Do you wish to edit table"), IDYES);
        doubleClickA1(Qt::LeftButton);
        auto* gx = window->component();
        gx->set_Selection(QStringLiteral("A1"));
        gx->editBar()->setText(text);
        QTest::keyClick(gx->editBar(), Qt::Key_Return);
    }

    std::unique_ptr<TTKVALS1> window;
    QString m_oldDir;
};

TEST_F(ConstantsWindowTest, StartUpReadsTheLanguageNameFromA1)
{
    QString language;
    ASSERT_TRUE(LoadSystemConstantsAtStartup(&language));
    EXPECT_EQ(language, QStringLiteral("UK_English"));
    EXPECT_EQ(window->translationFileName(), QStringLiteral("UK_English"));
    EXPECT_FALSE(window->modified());
    EXPECT_EQ(window->component()->MaxRow(), 3);
    EXPECT_EQ(window->component()->MaxCol(), 2);
    EXPECT_FALSE(window->component()->AllowDesigner());
}

TEST_F(ConstantsWindowTest, MissingWorkbookFailsQuietly)
{
    QFile::remove(constantsPath());
    QString language = QStringLiteral("unchanged");
    EXPECT_FALSE(LoadSystemConstantsAtStartup(&language));
    EXPECT_EQ(language, QStringLiteral("unchanged"));
    EXPECT_TRUE(dialogs().shown().isEmpty());
}

TEST_F(ConstantsWindowTest, EmptyPathAsksForTheWorkbook)
{
    QString path;
    dialogs().expectOpen(QStringLiteral("Load System Constants"), QString());
    EXPECT_FALSE(window->LoadSystemConstants(path));
    dialogs().expectOpen(QStringLiteral("Load System Constants"), constantsPath());
    ASSERT_TRUE(window->LoadSystemConstants(path));
    EXPECT_EQ(path, constantsPath());
}

TEST_F(ConstantsWindowTest, EditingNeedsTheConfirmation)
{
    window->ShowSystemConstants(workDir(), 1);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("System Constants"));
    auto* gx = window->component();
    EXPECT_TRUE(gx->EnableProtection());
    EXPECT_FALSE(gx->AllowInCellEditing());

    dialogs().expectMessage(QStringLiteral("Do you wish to edit table"), IDNO);
    doubleClickA1(Qt::LeftButton);
    EXPECT_TRUE(gx->EnableProtection());
    EXPECT_FALSE(window->modified());
    ASSERT_EQ(dialogs().shown().size(), 1);
    EXPECT_EQ(dialogs().shown().first().caption, QStringLiteral("System Constants"));

    dialogs().expectMessage(QStringLiteral("Do you wish to edit table"), IDYES);
    doubleClickA1(Qt::LeftButton);
    EXPECT_FALSE(gx->EnableProtection());
    EXPECT_TRUE(gx->AllowInCellEditing());
    EXPECT_TRUE(window->modified());

    // Now the operator can type; closing saves the workbook, locked again.
    gx->set_Selection(QStringLiteral("A1"));
    gx->editBar()->setText(QStringLiteral("German"));
    QTest::keyClick(gx->editBar(), Qt::Key_Return);
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->translationFileName(), QStringLiteral("German"));
    EXPECT_EQ(storedA1(), QStringLiteral("German"));
    EXPECT_FALSE(window->modified());
    Workbook stored;
    ASSERT_NE(WorkbookFile::read(stored, constantsPath()), FileType::None);
    EXPECT_TRUE(stored.sheet(0)->isProtected());
}

TEST_F(ConstantsWindowTest, EditsOfAWindowStillOpenAtProgramEndAreSaved)
{
    openAndEditA1(QStringLiteral("Dutch"));
    ASSERT_TRUE(window->modified());
    window.reset();  // the program ends with the window open
    TKVALS1 = nullptr;
    EXPECT_EQ(storedA1(), QStringLiteral("Dutch"));
}

TEST_F(ConstantsWindowTest, OpeningTheOpenWindowAgainKeepsItsUnsavedEdits)
{
    openAndEditA1(QStringLiteral("Spanish"));
    auto* gx = window->component();
    window->ShowSystemConstants(workDir(), 1);  // the menu command again
    EXPECT_TRUE(window->modified());
    EXPECT_TRUE(gx->EnableProtection());
    window->close();
    EXPECT_EQ(storedA1(), QStringLiteral("Spanish"));
}

TEST_F(ConstantsWindowTest, ViewOnlyModeAsksNothingAndClosingUnmodifiedDoesNotWrite)
{
    window->ShowSystemConstants(workDir(), 2);
    const QDateTime before = QFileInfo(constantsPath()).lastModified();
    doubleClickA1(Qt::LeftButton);
    EXPECT_TRUE(dialogs().shown().isEmpty());
    EXPECT_TRUE(window->component()->EnableProtection());
    QFile::remove(constantsPath());
    window->close();
    EXPECT_FALSE(QFile::exists(constantsPath()));  // nothing to save, nothing written
    Q_UNUSED(before);
}

TEST_F(ConstantsWindowTest, RightDoubleClickRunsTheDesigner)
{
    window->ShowSystemConstants(workDir(), 1);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    bool designerShown = false;
    QTimer::singleShot(0, [&] {
        if (auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            designerShown = dlg->objectName() == QStringLiteral("DesignerDlg");
            dlg->accept();
        }
    });
    doubleClickA1(Qt::RightButton);
    EXPECT_TRUE(designerShown);
    EXPECT_TRUE(window->modified());
    EXPECT_FALSE(window->component()->AllowDesigner());
    EXPECT_FALSE(window->component()->EnableProtection());
}

TEST_F(ConstantsWindowTest, LanguageWindowSaveWritesA1AndKeepsTheRest)
{
    ASSERT_TRUE(LoadSystemConstantsAtStartup());
    ASSERT_TRUE(SaveLanguageToConstants(QStringLiteral("German")));
    EXPECT_EQ(storedA1(), QStringLiteral("German"));
    Workbook stored;
    ASSERT_NE(WorkbookFile::read(stored, constantsPath()), FileType::None);
    EXPECT_EQ(stored.sheet(0)->displayText(2, 1), QStringLiteral("Service"));
    EXPECT_TRUE(stored.sheet(0)->isProtected());
    EXPECT_EQ(window->translationFileName(), QStringLiteral("German"));
}

TEST_F(ConstantsWindowTest, LanguageSaveWithoutStartUpLoadReadsTheFileFirst)
{
    window.reset();  // no window: the save works on a temporary one
    EXPECT_EQ(TKVALS1, nullptr);
    ASSERT_TRUE(SaveLanguageToConstants(QStringLiteral("French")));
    EXPECT_EQ(storedA1(), QStringLiteral("French"));
    Workbook stored;
    ASSERT_NE(WorkbookFile::read(stored, constantsPath()), FileType::None);
    EXPECT_EQ(stored.sheet(0)->displayText(2, 1), QStringLiteral("Service"));
}

TEST_F(ConstantsWindowTest, LanguageSaveFailureIsReported)
{
    ASSERT_TRUE(LoadSystemConstantsAtStartup());
    QDir(tempPath(QStringLiteral("sys"))).removeRecursively();
    vela::test::writeAll(tempPath(QStringLiteral("sys")), "a file where the folder should be");
    EXPECT_FALSE(SaveLanguageToConstants(QStringLiteral("German")));
}

} // namespace
