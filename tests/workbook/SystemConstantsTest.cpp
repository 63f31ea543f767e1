// The shipped constants workbook names the translation file in A1 of its first sheet and is
// what its hand-written source generates.
#include "TestSupport.h"
#include "workbook/engine/Workbook.h"
#include "workbook/engine/WorkbookFile.h"

#include <gtest/gtest.h>

using namespace vela::workbook;

TEST(SystemConstants, ShippedFileMatchesItsSource)
{
    Workbook shipped;
    QString error;
    ASSERT_EQ(WorkbookFile::read(shipped, vela::test::sourceDir() + QStringLiteral("/sys/System Constants.VTS"), &error),
              FileType::VtsCurrent) << error.toStdString();
    EXPECT_EQ(shipped.sheet(0)->value(1, 1).asText(), QStringLiteral("UK_English"));
    Workbook source;
    ASSERT_EQ(WorkbookFile::read(source, vela::test::sourceDir() + QStringLiteral("/sys/src/System Constants.csv"), &error),
              FileType::Csv) << error.toStdString();
    ASSERT_EQ(shipped.sheet(0)->usedRange(), source.sheet(0)->usedRange());
    for (int r = 1; r <= source.sheet(0)->maxRow(); ++r)
        for (int c = 1; c <= source.sheet(0)->maxCol(); ++c)
            EXPECT_EQ(shipped.sheet(0)->inputText(r, c), source.sheet(0)->inputText(r, c));
}
