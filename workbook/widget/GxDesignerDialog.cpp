#include "GxDesignerDialog.h"

#include "GxGridView.h"
#include "GxSheetModel.h"
#include "TGxBookProxy.h"
#include "platform/Dialogs.h"
#include "workbook/engine/NumberFormat.h"
#include "workbook/engine/Workbook.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPainter>
#include <QToolBar>
#include <QVBoxLayout>

namespace vela::workbook {
namespace {

// Small drawn icons, so the tool bar needs no image files.
QIcon alignIcon(int code)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.5));
    const int lengths[] = {12, 8, 12, 8};
    for (int i = 0; i < 4; ++i) {
        const int len = lengths[i];
        const int x = code == 2 ? 2 : code == 4 ? 14 - len : (16 - len) / 2;
        p.drawLine(x, 3 + i * 3, x + len, 3 + i * 3);
    }
    return QIcon(pm);
}

QIcon letterIcon(const QString& letter, bool bold, bool italic, bool underline)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    QFont f(QStringLiteral("Serif"));
    f.setPixelSize(13);
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    p.setFont(f);
    p.drawText(pm.rect(), Qt::AlignCenter, letter);
    return QIcon(pm);
}

QIcon colourIcon(bool background)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    if (background) {
        p.fillRect(QRect(2, 2, 12, 9), QColor(0xFF, 0xF2, 0x9E));
        p.setPen(QColor(0x60, 0x60, 0x60));
        p.drawRect(QRect(2, 2, 12, 9));
    } else {
        QFont f;
        f.setPixelSize(11);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRect(0, 0, 16, 12), Qt::AlignCenter, QStringLiteral("A"));
    }
    p.fillRect(QRect(1, 12, 14, 3), background ? QColor(0xE0, 0xB0, 0x00) : QColor(0xC0, 0x10, 0x10));
    return QIcon(pm);
}

} // namespace

GxDesignerDialog::GxDesignerDialog(const QString& title, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DesignerDlg"));
    setWindowTitle(title.isEmpty() ? tr("Workbook Designer") : tr("Workbook Designer - %1").arg(title));
    DesignerGx = new TGxBookProxy(this);
    DesignerGx->setObjectName(QStringLiteral("DesignerGx"));
    DesignerGx->set_Title(title);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 8);
    layout->addWidget(buildFontBar());
    layout->addWidget(buildFormatBar());
    layout->addWidget(DesignerGx, 1);
    layout->addWidget(buttons);
    resize(820, 560);

    auto* sm = DesignerGx->grid()->selectionModel();
    connect(sm, &QItemSelectionModel::currentChanged, this, &GxDesignerDialog::followSelection);
    connect(&DesignerGx->book(), &Workbook::reset, this, &GxDesignerDialog::followSelection);
}

QToolBar* GxDesignerDialog::buildFontBar()
{
    auto* bar = new QToolBar;
    bar->setObjectName(QStringLiteral("FontBar"));
    bar->setIconSize(QSize(16, 16));
    cbFontName = new QFontComboBox;
    cbFontName->setObjectName(QStringLiteral("cbFontName"));
    cbFontName->setAccessibleName(tr("Font"));
    connect(cbFontName, &QFontComboBox::currentFontChanged, this, [this](const QFont& f) {
        if (!m_following)
            applyStyle([&](Style& s) { s.fontName = f.family(); });
    });
    cbFontSize = new QComboBox;
    cbFontSize->setObjectName(QStringLiteral("cbFontSize"));
    cbFontSize->setAccessibleName(tr("Font size"));
    cbFontSize->setEditable(true);
    for (int size : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
        cbFontSize->addItem(QString::number(size));
    connect(cbFontSize, &QComboBox::currentTextChanged, this, [this](const QString& t) {
        bool ok = false;
        const double size = t.toDouble(&ok);
        if (!m_following && ok && size >= 1 && size <= 409) {
            applyStyle([&](Style& s) { s.fontSize = size; });
            growRows(size);
        }
    });
    bar->addWidget(cbFontName);
    bar->addWidget(cbFontSize);
    bar->addSeparator();
    acBold = addToggle(bar, QStringLiteral("acBold"), tr("Bold"), QKeySequence::Bold,
                       [](Style& s, bool on) { s.bold = on; });
    acBold->setIcon(letterIcon(QStringLiteral("B"), true, false, false));
    acItalic = addToggle(bar, QStringLiteral("acItalic"), tr("Italic"), QKeySequence::Italic,
                         [](Style& s, bool on) { s.italic = on; });
    acItalic->setIcon(letterIcon(QStringLiteral("I"), false, true, false));
    acUnderline = addToggle(bar, QStringLiteral("acUnderline"), tr("Underline"),
                            QKeySequence::Underline, [](Style& s, bool on) { s.underline = on; });
    acUnderline->setIcon(letterIcon(QStringLiteral("U"), false, false, true));
    bar->addSeparator();
    auto* fg = bar->addAction(colourIcon(false), tr("Text Colour..."), this, [this] { chooseColour(false); });
    fg->setObjectName(QStringLiteral("acTextColour"));
    auto* bg = bar->addAction(colourIcon(true), tr("Fill Colour..."), this, [this] { chooseColour(true); });
    bg->setObjectName(QStringLiteral("acFillColour"));
    bar->addSeparator();
    addAlign(bar, QStringLiteral("acAlignLeft"), tr("Align Left"), 2);
    addAlign(bar, QStringLiteral("acAlignCenter"), tr("Centre"), 3);
    addAlign(bar, QStringLiteral("acAlignRight"), tr("Align Right"), 4);
    return bar;
}

QToolBar* GxDesignerDialog::buildFormatBar()
{
    auto* bar = new QToolBar;
    bar->setObjectName(QStringLiteral("FormatBar"));
    auto* fmtLabel = new QLabel(tr(" Number format: "));
    cbNumberFormat = new QComboBox;
    cbNumberFormat->setObjectName(QStringLiteral("cbNumberFormat"));
    cbNumberFormat->setEditable(true);
    cbNumberFormat->setMinimumWidth(170);
    cbNumberFormat->addItems(NumberFormat::builtInCodes());
    fmtLabel->setBuddy(cbNumberFormat);
    connect(cbNumberFormat, &QComboBox::currentTextChanged, this, [this](const QString& code) {
        if (!m_following && !code.isEmpty())
            applyStyle([&](Style& s) { s.numberFormat = code; });
    });
    auto* widthLabel = new QLabel(tr("  Column width: "));
    seColWidth = new QDoubleSpinBox;
    seColWidth->setObjectName(QStringLiteral("seColWidth"));
    seColWidth->setRange(0.0, 255.0);
    seColWidth->setDecimals(2);
    seColWidth->setSingleStep(1.0);
    widthLabel->setBuddy(seColWidth);
    connect(seColWidth, &QDoubleSpinBox::valueChanged, this, [this](double chars) {
        if (!m_following)
            setColumnWidthChars(chars);
    });
    bar->addWidget(fmtLabel);
    bar->addWidget(cbNumberFormat);
    bar->addWidget(widthLabel);
    bar->addWidget(seColWidth);
    bar->addSeparator();
    acLocked = addToggle(bar, QStringLiteral("acLocked"), tr("Lock Cells"), {},
                         [](Style& s, bool on) { s.locked = on; });
    acProtect = bar->addAction(tr("Protect Sheet"));
    acProtect->setObjectName(QStringLiteral("acProtect"));
    acProtect->setCheckable(true);
    connect(acProtect, &QAction::toggled, this, [this](bool on) {
        if (!m_following)
            DesignerGx->set_EnableProtection(on);
    });
    return bar;
}

QAction* GxDesignerDialog::addToggle(QToolBar* bar, const QString& name, const QString& text,
                                     const QKeySequence& key,
                                     const std::function<void(Style&, bool)>& set)
{
    QAction* action = bar->addAction(text);
    action->setObjectName(name);
    action->setCheckable(true);
    action->setShortcut(key);
    connect(action, &QAction::toggled, this, [this, set](bool on) {
        if (!m_following)
            applyStyle([&](Style& s) { set(s, on); });
    });
    return action;
}

void GxDesignerDialog::addAlign(QToolBar* bar, const QString& name, const QString& text, int code)
{
    QAction* action = bar->addAction(alignIcon(code), text, this, [this, code] {
        applyStyle([code](Style& s) {
            const auto wanted = static_cast<HAlign>(code);
            s.hAlign = s.hAlign == wanted ? HAlign::General : wanted;
        });
    });
    action->setObjectName(name);
}

void GxDesignerDialog::applyStyle(const std::function<void(Style&)>& change)
{
    auto* sheet = DesignerGx->book().sheet(DesignerGx->Sheet() - 1);
    if (!sheet)
        return;
    DesignerGx->book().beginUpdate();
    for (const Range& r : DesignerGx->SelectionRanges())
        sheet->modifyStyle(r, change);
    DesignerGx->book().endUpdate();
    DesignerGx->model()->invalidateFonts();
    DesignerGx->model()->refreshAll();
}

void GxDesignerDialog::growRows(double fontSize)
{
    auto* sheet = DesignerGx->book().sheet(DesignerGx->Sheet() - 1);
    if (!sheet)
        return;
    // Rows grow to fit a larger font, as the operator would expect; they never shrink here.
    const double wanted = fontSize * 1.5;
    for (const Range& r : DesignerGx->SelectionRanges())
        for (int row = r.row1; row <= std::min(r.row2, DesignerGx->MaxRow()); ++row)
            if (sheet->rowHeight(row) < wanted)
                sheet->setRowHeight(row, wanted);
}

void GxDesignerDialog::setColumnWidthChars(double chars)
{
    for (const Range& r : DesignerGx->SelectionRanges())
        for (int c = r.col1; c <= r.col2; ++c)
            DesignerGx->set_ColWidth(c, qRound(chars * 256.0));
}

void GxDesignerDialog::chooseColour(bool background)
{
    auto* sheet = DesignerGx->book().sheet(DesignerGx->Sheet() - 1);
    if (!sheet)
        return;
    const Style& current = sheet->style(DesignerGx->Row(), DesignerGx->Col());
    QColor colour = QColor::fromRgba(background ? current.background : current.color);
    if (background && !current.hasBackground())
        colour = Qt::white;
    if (!platform::dialogs().chooseColor(background ? tr("Fill Colour") : tr("Text Colour"), &colour))
        return;
    const QRgb rgb = colour.rgb() | 0xFF000000u;
    applyStyle([&](Style& s) { (background ? s.background : s.color) = rgb; });
}

void GxDesignerDialog::followSelection()
{
    const auto* sheet = DesignerGx->book().sheet(DesignerGx->Sheet() - 1);
    if (!sheet)
        return;
    const Style& s = sheet->style(DesignerGx->Row(), DesignerGx->Col());
    m_following = true;
    cbFontName->setCurrentFont(QFont(s.fontName));
    cbFontSize->setCurrentText(QString::number(s.fontSize));
    acBold->setChecked(s.bold);
    acItalic->setChecked(s.italic);
    acUnderline->setChecked(s.underline);
    acLocked->setChecked(s.locked);
    acProtect->setChecked(sheet->isProtected());
    cbNumberFormat->setCurrentText(s.numberFormat);
    seColWidth->setValue(DesignerGx->ColWidth(DesignerGx->Col()) / 256.0);
    m_following = false;
}

} // namespace vela::workbook
