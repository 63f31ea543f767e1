#include "TfrmTranslation.h"

#include "Translator.h"
#include "platform/Dialogs.h"
#include "platform/PrivateProfile.h"
#include "platform/WindowPlacement.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

vela::translation::TfrmTranslation* frmTranslation = nullptr;

// Resources of a static library are registered by hand.
static void initFlagResources()
{
    Q_INIT_RESOURCE(flags);
}

namespace vela::translation {
namespace {
const QString kSection = QStringLiteral("Panel Vela Lite Translation");
constexpr int kHeightWithoutDebug = 135;
constexpr int kHeightWithDebug = 305;
constexpr int kWidth = 470;
} // namespace

const TfrmTranslation::Language TfrmTranslation::kLanguages[12] = {
    {"US English", "US_English", true},
    {"UK English", "UK_English", true},
    {"German", "German", true},
    {"Japanese", "Japanese", false},
    {"Simplified Chinese", "Simplified_Chinese", false},
    {"Traditional Chinese", "Traditional_Chinese", false},
    {"French", "French", true},
    {"Italian", "Italian", true},
    {"Canadian French", "Canadian_French", false},
    {"Dutch", "Dutch", true},
    {"Spanish", "Spanish", true},
    {"Swedish", "Swedish", false},
};

TfrmTranslation::TfrmTranslation(Translator& translator, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_translator(translator)
{
    initFlagResources();
    setObjectName(QStringLiteral("frmTranslation"));
    setWindowTitle(m_translator.caption());
    auto* layout = new QVBoxLayout(this);
    buildLanguages();
    buildDebugPanel();
    layout->addWidget(gpLanguages);
    layout->addWidget(gpSearchDebug);
    layout->addStretch();
    connect(&m_translator, &Translator::captionChanged, this, &QWidget::setWindowTitle);
    connect(&m_translator, &Translator::debugFieldsChanged, this, &TfrmTranslation::refreshDebugFields);
    setFixedSize(kWidth, kHeightWithDebug);
    move(231, 267);
    platform::restorePlacement(this, kSection);
    m_placed = platform::settingsFile().value(kSection, QStringLiteral("Top")).has_value();
}

TfrmTranslation::~TfrmTranslation()
{
    platform::savePlacement(this, kSection);
}

void TfrmTranslation::buildLanguages()
{
    gpLanguages = new QGroupBox(QStringLiteral("Languages"), this);
    gpLanguages->setObjectName(QStringLiteral("gpLanguages"));
    auto* row = new QHBoxLayout(gpLanguages);
    row->setSpacing(4);
    for (int i = 0; i < 12; ++i) {
        const Language& lang = kLanguages[i];
        auto* b = new QToolButton(gpLanguages);
        b->setObjectName(QStringLiteral("BitBtn%1").arg(i + 1));
        b->setIcon(QIcon(QStringLiteral(":/flags/%1.svg").arg(QString::fromLatin1(lang.baseName))));
        b->setIconSize(QSize(34, 22));
        b->setAutoRaise(false);
        b->setToolTip(QString::fromLatin1(lang.hint));
        b->setAccessibleName(QString::fromLatin1(lang.hint));
        b->setEnabled(lang.enabled);
        const QString base = QString::fromLatin1(lang.baseName);
        connect(b, &QToolButton::clicked, this, [this, base] { SelectLanguage(base); });
        row->addWidget(b);
        m_buttons << b;
    }
}

void TfrmTranslation::buildDebugPanel()
{
    gpSearchDebug = new QGroupBox(QStringLiteral("Search Debug"), this);
    gpSearchDebug->setObjectName(QStringLiteral("gpSearchDebug"));
    auto* grid = new QGridLayout(gpSearchDebug);
    auto addRow = [&](int r, const QString& label, const QString& name) {
        auto* l = new QLabel(label, gpSearchDebug);
        auto* e = new QLineEdit(gpSearchDebug);
        e->setObjectName(name);
        l->setBuddy(e);
        grid->addWidget(l, r, 0);
        grid->addWidget(e, r, 1, 1, 2);
        return e;
    };
    SearchText = addRow(0, QStringLiteral("Search"), QStringLiteral("SearchText"));
    FoundText = addRow(1, QStringLiteral("Found"), QStringLiteral("FoundText"));
    Location = addRow(2, QStringLiteral("Location"), QStringLiteral("Location"));
    Location->setText(QStringLiteral("0"));
    Search = new QPushButton(QStringLiteral("&Search"), gpSearchDebug);
    Search->setObjectName(QStringLiteral("Search"));
    cbTextNotFound = new QCheckBox(QStringLiteral("Text Not Found"), gpSearchDebug);
    cbTextNotFound->setObjectName(QStringLiteral("cbTextNotFound"));
    cbTextNotFound->setChecked(true);
    grid->addWidget(cbTextNotFound, 3, 1);
    grid->addWidget(Search, 3, 2);
    connect(Search, &QPushButton::clicked, this, &TfrmTranslation::SearchClick);
    connect(cbTextNotFound, &QCheckBox::toggled, this,
            [this](bool on) { m_translator.setLogMissing(on); });
    m_translator.setLogMissing(true);
}

void TfrmTranslation::refreshDebugFields()
{
    SearchText->setText(m_translator.searchText());
    FoundText->setText(m_translator.foundText());
    Location->setText(m_translator.location());
}

void TfrmTranslation::SearchClick()
{
    m_translator.setSearchText(SearchText->text());
    m_translator.search();
    refreshDebugFields();
}

QToolButton* TfrmTranslation::languageButton(int index) const
{
    return index >= 0 && index < m_buttons.size() ? m_buttons[index] : nullptr;
}

bool TfrmTranslation::LoadTranslationFile(QString& name)
{
    return m_translator.LoadTranslationFile(name);
}

void TfrmTranslation::ShowLanguageSelection(const QString& programDir, bool hideDebug)
{
    m_translator.setProgramDirectory(programDir);
    if (!isVisible())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    gpSearchDebug->setVisible(!hideDebug);
    setFixedSize(kWidth, hideDebug ? kHeightWithoutDebug : kHeightWithDebug);
    if (!m_placed) {
        platform::centreOver(this, QApplication::activeWindow());
        m_placed = true;
    }
    show();
    raise();
    activateWindow();
}

void TfrmTranslation::SelectLanguage(const QString& baseName)
{
    QString name = baseName;
    if (!m_translator.LoadTranslationFile(name)) {
        m_translator.TranslatedMessageBox(QStringLiteral("The selected language file not available yet."),
                             QStringLiteral("Language Selection"), platform::MB_OK);
        return;
    }
    if (m_saveLanguage && m_saveLanguage(baseName))
        m_translator.TranslatedMessageBox(QStringLiteral("Language file selected. Restart software please."),
                             QStringLiteral("Language Selection"), platform::MB_OK);
    else
        m_translator.TranslatedMessageBox(QStringLiteral("Translation file set-up not saved."),
                             QStringLiteral("Language Selection Error"), platform::MB_OK);
}

} // namespace vela::translation
