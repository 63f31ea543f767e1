// The set-up window's refusals of bad edits in the operator's language. A program of its own:
// the German file loaded here must not reach the other window tests.
#include "SetupSimFixture.h"
#include "service/TVelaLiteSetup.h"
#include "translation/Translator.h"

#include <QLineEdit>

using namespace vela;
using namespace vela::service;

namespace {

class SetupLanguage : public test::SetupSimFixture {
protected:
    void SetUp() override
    {
        SetupSimFixture::SetUp();
        translation::Translator& t = translation::translator();
        t.setProgramDirectory(test::sourceDir());
        t.setMissingLogPath(tempPath(QStringLiteral("missing.ini")));
        QString name = QStringLiteral("German");
        ASSERT_TRUE(t.LoadTranslationFile(name));
        m_window = std::make_unique<TVelaLiteSetup>(nullptr, m_link.get());
        m_window->core().setSerialPauseMs(0);
    }
    void TearDown() override
    {
        m_window.reset();
        SetupSimFixture::TearDown();
    }
    std::unique_ptr<TVelaLiteSetup> m_window;
};

} // namespace

TEST_F(SetupLanguage, RefusalsOfBadEditsAreComposedInGermanAndNothingIsSent)
{
    TVelaLiteSetup& w = *m_window;
    struct Case {
        QLineEdit* edit;
        const char* text;
        const char* refusal;
    };
    const Case cases[] = {
        {w.SetupTargetGloss20, "abc", "Glanz-Sollwert 1: \"abc\" ist keine Zahl."},
        {w.HighLimit20Degree, "99999999", "Obergrenze erster Winkel: 99999999 liegt au\u00dferhalb des zul\u00e4ssigen Bereichs."},
        {w.MirrorCorrection60, "x1", "Spiegelkorrektur zweiter Winkel: \"x1\" ist keine Zahl."},
    };
    for (const Case& c : cases) {
        const QString saved = c.edit->text();
        c.edit->setText(QString::fromLatin1(c.text));
        dialogs().clear();
        dialogs().allowAllMessages();
        m_sim->clearTranscript();
        w.SetupClick();
        const QStringList shown = dialogs().messages();
        ASSERT_EQ(shown.size(), 2) << c.text;
        EXPECT_EQ(shown[0], QString::fromUtf8(c.refusal));
        EXPECT_EQ(shown[1], QStringLiteral("Das Vela-Gloss wurde nicht eingerichtet."));
        EXPECT_TRUE(m_sim->transcript().empty()) << c.text;
        c.edit->setText(saved);
    }
    // A refusal already in German is not looked up again: nothing lands in the missing-text log.
    EXPECT_FALSE(QFile::exists(tempPath(QStringLiteral("missing.ini"))));
}
