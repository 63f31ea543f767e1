// Parsing: formula text round trips, relative references move with copies, malformed formulas
// give a clear error in their own cell only, and nesting has a limit instead of a crash.
#include "workbook/engine/Workbook.h"

#include <gtest/gtest.h>

using namespace vela::workbook;

namespace {

TEST(FormulaSyntax, TextRoundTripsThroughTheAst)
{
    Workbook wb;
    wb.addSheet(QStringLiteral("Results Samples data"));
    Sheet* s = wb.sheet(0);
    const char* formulas[] = {
        "=SUM($A$1:B2)*-2^2&\"x\"",
        "=IF(A1>=3,\"a\"\"b\",FALSE)",
        "=AVERAGE('Results Samples data'!$D$9:$D$1008)",
        "=A$1+$B2-C3%",
        "=IF(A1,,1)",
        "=(1+2)*(3-4)/5<>6",
        "=#N/A",
    };
    for (const char* f : formulas) {
        ASSERT_TRUE(s->setFormula(5, 5, QString::fromUtf8(f)).ok) << f;
        EXPECT_EQ(s->formulaText(5, 5), QString::fromUtf8(f));
    }
}

TEST(FormulaSyntax, CopiedFormulaMovesRelativeReferencesOnly)
{
    Workbook wb;
    Sheet* s = wb.sheet(0);
    s->setFormula(1, 3, QStringLiteral("=A1+$B$1+A$1+$A1"));
    s->pasteSpecial(s->copy(Range(1, 3, 1, 3)), {5, 4}, PasteWhat::All);
    EXPECT_EQ(s->formulaText(5, 4), QStringLiteral("=B5+$B$1+B$1+$A5"));
    // The copy shares the parsed formula: copying is cheap.
    EXPECT_EQ(s->cell(1, 3)->formula.get(), s->cell(5, 4)->formula.get());
    // Pasted where a relative reference would leave the sheet, it reads #REF!.
    s->pasteSpecial(s->copy(Range(1, 3, 1, 3)), {3, 2}, PasteWhat::All);
    EXPECT_EQ(s->value(3, 2).toString(), QStringLiteral("#REF!"));
    EXPECT_EQ(s->formulaText(3, 2), QStringLiteral("=#REF!+$B$1+#REF!+$A3"));
}

TEST(FormulaSyntax, MalformedFormulaGivesErrorInItsCellOnly)
{
    struct Bad {
        const char* text;
        int position; ///< where the parser stops (in the text after '=')
    };
    const Bad bad[] = {
        {"=1+", 2}, {"=(1", 2}, {"=1)", 1}, {"=SUM(1,", 6}, {"=\"abc", 0}, {"=1 2", 2},
        {"=A1:", 3}, {"=IF(1)", 5}, {"=#FOO!", 0}, {"=Nowhere!A1", 0}, {"=1+*2", 2}, {"=@", 0},
    };
    for (const Bad& b : bad) {
        Workbook wb;
        Sheet* s = wb.sheet(0);
        s->setNumber(1, 1, 7);
        s->setFormula(1, 2, QStringLiteral("=A1*2"));
        s->setFormula(1, 4, QStringLiteral("=C1+1"));
        s->setNumber(1, 3, 1);
        const InputResult r = s->setInput(1, 3, QString::fromUtf8(b.text));
        EXPECT_FALSE(r.ok) << b.text;
        EXPECT_FALSE(r.error.isEmpty()) << b.text;
        EXPECT_EQ(r.position, b.position) << b.text << ": " << r.error.toStdString();
        // The cell keeps what was typed and shows an error; its dependents see the error.
        EXPECT_EQ(s->inputText(1, 3), QString::fromUtf8(b.text));
        EXPECT_EQ(s->value(1, 3).toString(), QStringLiteral("#NAME?"));
        EXPECT_EQ(s->formulaError(1, 3), r.error);
        EXPECT_EQ(s->value(1, 4).toString(), QStringLiteral("#NAME?"));
        // Nothing else changed.
        EXPECT_EQ(s->value(1, 1).asNumber(), 7);
        EXPECT_EQ(s->value(1, 2).asNumber(), 14);
        // Correcting it recovers.
        EXPECT_TRUE(s->setInput(1, 3, QStringLiteral("=A1")).ok);
        EXPECT_EQ(s->value(1, 4).asNumber(), 8);
    }
}

TEST(FormulaSyntax, DeepNestingIsRefusedWithoutCrashing)
{
    Workbook wb;
    Sheet* s = wb.sheet(0);
    const int deep = 1000;
    InputResult r = s->setFormula(1, 1, u'=' + QString(deep, u'(') + u'1' + QString(deep, u')'));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains(QStringLiteral("nested"))) << r.error.toStdString();
    r = s->setFormula(1, 1, u'=' + QString(deep, u'-') + u'1');
    EXPECT_FALSE(r.ok);
    r = s->setFormula(1, 1, QStringLiteral("=") + QString(deep, u'(') + QStringLiteral("SUM(") + QString(deep, u')'));
    EXPECT_FALSE(r.ok);
    // Within the limit nesting works.
    ASSERT_TRUE(s->setFormula(1, 1, u'=' + QString(200, u'(') + u'1' + QString(200, u')')).ok);
    EXPECT_EQ(s->value(1, 1).asNumber(), 1);
    // Long flat chains are not nesting: they evaluate without recursion.
    QStringList terms(4000, QStringLiteral("1"));
    ASSERT_TRUE(s->setFormula(2, 1, u'=' + terms.join(u'+')).ok);
    EXPECT_EQ(s->value(2, 1).asNumber(), 4000);
    EXPECT_FALSE(s->setFormula(3, 1, u'=' + QString(Formula::kMaxLength + 1, u'1')).ok);
}

TEST(FormulaSyntax, TypedInputKinds)
{
    Workbook wb;
    Sheet* s = wb.sheet(0);
    struct In {
        const char* typed;
        Value::Type type;
        const char* shown;
        const char* edit = nullptr; ///< edit-bar text when it differs from what was typed
    };
    const In inputs[] = {
        {"12.5", Value::Type::Number, "12.5"}, {"1,234", Value::Type::Number, "1234", "1234"},
        {"50%", Value::Type::Number, "50%"}, {"TRUE", Value::Type::Boolean, "TRUE"},
        {"#N/A", Value::Type::Error, "#N/A"}, {"'123", Value::Type::Text, "123"},
        {"abc", Value::Type::Text, "abc"}, {"31/01/2020", Value::Type::Number, "31/01/2020"},
        {"=1+1", Value::Type::Number, "2"},
    };
    for (const In& in : inputs) {
        s->clearRange(Range(1, 1, 1, 1), ClearWhat::All);
        s->setInput(1, 1, QString::fromUtf8(in.typed));
        EXPECT_EQ(s->value(1, 1).type(), in.type) << in.typed;
        EXPECT_EQ(s->displayText(1, 1), QString::fromUtf8(in.shown)) << in.typed;
        EXPECT_EQ(s->inputText(1, 1), QString::fromUtf8(in.edit ? in.edit : in.typed)) << in.typed;
    }
}

} // namespace
