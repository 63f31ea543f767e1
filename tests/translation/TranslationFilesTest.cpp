// The shipped translation files (sys/*.txt) read through the real translator: every entry must
// be reachable by its key, the three languages must hold the same keys, and the texts of each
// window must come out in German.
#include "TestSupport.h"
#include "platform/Ansi.h"
#include "translation/Translator.h"

#include <QRegularExpression>
#include <QSet>

using vela::translation::Translator;

namespace {

const QString kDeg = QString(QChar(0x00B0));

struct Entry {
    QString key;
    QString text;
    int line = 0;
};

/// @brief One shipped language file split into its header and "[English]" / translation pairs.
struct LanguageFile {
    QByteArray bytes;
    QList<Entry> entries;
    QStringList problems;
};

LanguageFile readLanguageFile(const QString& base)
{
    LanguageFile f;
    f.bytes = vela::test::readAll(vela::test::sourceDir() + "/sys/" + base + ".txt");
    if (f.bytes.isEmpty()) {
        f.problems << "file missing or empty";
        return f;
    }
    if (f.bytes.count('\n') != f.bytes.count("\r\n") || f.bytes.count('\r') != f.bytes.count("\r\n"))
        f.problems << "line ends are not all CR LF";
    if (!f.bytes.endsWith("\r\n"))
        f.problems << "last line has no line end";
    QList<QByteArray> lines = f.bytes.split('\n');
    lines.removeLast();
    for (QByteArray& l : lines)
        l.chop(1);  // the CR
    if (lines.size() < 2 || lines[0].isEmpty() || lines[0].startsWith('[') || !lines[1].isEmpty()) {
        f.problems << "no header line followed by a blank line";
        return f;
    }
    if (lines.size() % 2 != 0)
        f.problems << "odd number of lines: a key without its translation";
    for (qsizetype i = 2; i + 1 < lines.size(); i += 2) {
        const QByteArray& key = lines[i];
        const int lineNo = int(i + 1);
        if (key.size() < 3 || !key.startsWith('[') || !key.endsWith(']'))
            f.problems << QStringLiteral("line %1 is not a [key] line").arg(lineNo);
        if (lines[i + 1].startsWith('['))
            f.problems << QStringLiteral("line %1: translation looks like a key").arg(lineNo + 1);
        f.entries.append({vela::platform::fromAnsi(key.mid(1, key.size() - 2)),
                          vela::platform::fromAnsi(lines[i + 1]), lineNo});
    }
    return f;
}

/// Accelerator characters of a caption ("&&" is a literal ampersand), lower case.
QString accelerators(const QString& caption)
{
    QString out;
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] != u'&')
            out += caption[i + 1].toLower();
        ++i;
    }
    return out;
}

std::string listed(const QSet<QString>& keys)
{
    QStringList l = keys.values();
    l.sort();
    return l.join(QStringLiteral(" | ")).toStdString();
}

const QStringList kLanguages = {"German", "UK_English", "US_English"};

class TranslationFilesTest : public vela::test::DialogsFixture {
protected:
    void SetUp() override
    {
        DialogsFixture::SetUp();
        m_translator.setProgramDirectory(vela::test::sourceDir());
        m_translator.setMissingLogPath(tempPath("missing.INI"));
    }
    bool load(const QString& base)
    {
        QString name = base;
        return m_translator.LoadTranslationFile(name);
    }
    Translator m_translator;
};

TEST_F(TranslationFilesTest, EveryEntryIsReachableAndKeysAreUnique)
{
    for (const QString& lang : kLanguages) {
        SCOPED_TRACE(lang.toStdString());
        const LanguageFile f = readLanguageFile(lang);
        EXPECT_TRUE(f.problems.isEmpty()) << f.problems.join("; ").toStdString();
        ASSERT_FALSE(f.entries.isEmpty());
        ASSERT_TRUE(load(lang));
        QSet<QString> seen;
        for (const Entry& e : f.entries) {
            EXPECT_FALSE(seen.contains(e.key)) << "duplicate key on line " << e.line << ": " << e.key.toStdString();
            seen.insert(e.key);
            // The look-up takes the first "[key]" anywhere in the table: an entry hidden by an
            // earlier one, or one beyond the table's size, never comes out.
            QString found;
            EXPECT_TRUE(m_translator.LookUpTranslation(e.key, &found, nullptr))
                << "line " << e.line << " unreachable: " << e.key.toStdString();
            EXPECT_EQ(found, e.text) << "line " << e.line << ": " << e.key.toStdString();
        }
    }
}

TEST_F(TranslationFilesTest, LanguagesHoldTheSameKeysAndKeepAcceleratorsAndPlaceholders)
{
    const LanguageFile german = readLanguageFile("German");
    QSet<QString> germanKeys;
    for (const Entry& e : german.entries)
        germanKeys.insert(e.key);
    const QRegularExpression placeholder(QStringLiteral("%(\\d|d|s)"));
    const QRegularExpression british(QStringLiteral("[Cc]olour|[Ii]nitialis|Dialogue|[Aa]nalys(e|ing)"));
    for (const QString& lang : kLanguages) {
        SCOPED_TRACE(lang.toStdString());
        const LanguageFile f = readLanguageFile(lang);
        QSet<QString> keys;
        for (const Entry& e : f.entries) {
            keys.insert(e.key);
            EXPECT_EQ(accelerators(e.text).size(), accelerators(e.key).size())
                << "accelerator lost or added: " << e.key.toStdString() << " -> " << e.text.toStdString();
            for (auto it = placeholder.globalMatch(e.key); it.hasNext();) {
                const QString p = it.next().captured();
                EXPECT_TRUE(e.text.contains(p)) << p.toStdString() << " dropped from " << e.key.toStdString();
            }
            // A file saved as UTF-8 shows its umlauts as two Windows-1252 characters.
            EXPECT_FALSE(e.text.contains(QChar(0x00C3))) << "UTF-8 bytes in " << e.text.toStdString();
            if (lang == "US_English") {
                EXPECT_FALSE(e.text.contains(british)) << "British spelling: " << e.text.toStdString();
            }
        }
        EXPECT_EQ(listed(keys - germanKeys), "") << "keys German lacks";
        EXPECT_EQ(listed(germanKeys - keys), "") << "keys " << lang.toStdString() << " lacks";
    }
}

TEST_F(TranslationFilesTest, TextsOfEachWindowComeOutInGerman)
{
    struct Case {
        const char* window;
        QString english;
    };
    const Case cases[] = {
        {"Connect", "Connection Error"},
        {"Connect", "Make sure instrument is ON and connected to serial com port before clicking on the Connect button."},
        {"Connect", "Opening Port"},
        {"Connect", "Instrument set-up and  configuration data"},
        {"Connect", "Delete All 20 " + kDeg + " Samples"},
        {"Connect", "Single Angle 45/0" + kDeg + " Instrument"},
        {"Connect", "Do you wish to delete all 20" + kDeg + " samples held in the Gloss Meter"},
        {"Connect", "Enter New Calibration Date:  DD/MM/YYYY       (e.g. 05/08/2007)"},
        {"Connect", "New Calibartion Date has been successfully downloaded to instrument"},
        {"Connect", "Uploaded data Error: the results could not be read. Nothing was saved. Press Connect and upload again."},
        {"Set-up", "Vela-Gloss Lite Setup   "},
        {"Set-up", "Set C&orrection"},
        {"Set-up", "60 " + kDeg + " Mirror Correction"},
        {"Set-up", "Vela-DuzirIriz Never Switch Off Disable command failure."},
        {"Set-up", "The serial number prefix is two letters from G to V, or 00."},
        {"Set-up", "Vela-Gloss not set-up."},
        {"Set-up", " seconds"},
        {"Preferences", "Auto Detect"},
        {"Preferences", "Latest Glossmeters will allow faster communication speed. Please refer the manual for the correct setting."},
        {"Preferences", "Additional Instuments"},
        {"Preferences", "20 " + kDeg + " High Limit"},
        {"Interface", "EEprom System Data"},
        {"Interface", "Initialisation Error"},
        {"Interface", "Vela-DuzirIriz initialise Com 2 failure."},
        {"Interface", "Vela-DuzirIriz Eeprom write failure."},
        {"Results files", "Results I/O Error"},
        {"Results files", "Save Results Opacity Batch %d"},
        {"Results files", "Unknown legacy results file: its angle code is not known, the file cannot be converted."},
        {"System constants", "Do you wish to edit table"},
        {"Results chart", "Corvane Gloss Chart                     Date :"},
        {"Results chart", "C&ross Hair Colour"},
        {"Results chart", "Commer delimited"},
        {"Results chart", "Samples"},
    };
    ASSERT_TRUE(load("German"));
    for (const Case& c : cases) {
        QString german;
        EXPECT_TRUE(m_translator.LookUpTranslation(c.english, &german, nullptr))
            << c.window << ": no entry for " << c.english.toStdString();
        EXPECT_NE(german.trimmed(), c.english.trimmed()) << c.window << ": " << c.english.toStdString();
        EXPECT_FALSE(german.trimmed().isEmpty()) << c.window << ": " << c.english.toStdString();
    }
    for (const QString& lang : {QStringLiteral("UK_English"), QStringLiteral("US_English")}) {
        ASSERT_TRUE(load(lang));
        for (const Case& c : cases)
            EXPECT_TRUE(m_translator.LookUpTranslation(c.english, nullptr, nullptr))
                << lang.toStdString() << ": no entry for " << c.english.toStdString();
    }
}

TEST_F(TranslationFilesTest, GermanAcceleratorsAreUniqueWithinAMenuOrWindow)
{
    const QStringList groups[] = {
        // Set-up window: menu bar and buttons share the Alt keys.
        {"&File", "&Configuration", "&Programming", "&Graph", "&Results", "Set Serial &No",
         "Set C&orrection", "Read &Key", "An&gle Key", "Soak &Test", "Reset &All", "Angle Set-&up",
         "Switch O&ff", "&Gain Range", "Stats &Mode", "&Read Set-up", "&Set-up"},
        // Results chart: menu bar, File menu, pop-up menu.
        {"&File", "&View", "S&cale"},
        {"&Save", "Page &Setup", "&Print", "E&xit"},
        {"&Save", "&Print Graph", "View Graph 3D", "&Copy Graph", "C&ross Hair Colour", "Select C&1",
         "Select C&2", "&Hide C1 && C2"},
    };
    ASSERT_TRUE(load("German"));
    for (const QStringList& group : groups) {
        QString used;
        for (const QString& english : group) {
            QString german;
            ASSERT_TRUE(m_translator.LookUpTranslation(english, &german, nullptr)) << english.toStdString();
            for (QChar a : accelerators(german)) {
                EXPECT_FALSE(used.contains(a)) << "'" << QString(a).toStdString() << "' twice, at "
                                               << german.toStdString();
                used += a;
            }
        }
    }
}

} // namespace
