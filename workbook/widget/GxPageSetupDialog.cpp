#include "GxPageSetupDialog.h"

#include "platform/Dialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vela::workbook {
namespace {

QDoubleSpinBox* marginBox(const QString& name)
{
    auto* box = new QDoubleSpinBox;
    box->setObjectName(name);
    box->setRange(0.0, 100.0);
    box->setDecimals(1);
    box->setSuffix(QStringLiteral(" mm"));
    return box;
}

} // namespace

GxPageSetupDialog::GxPageSetupDialog(const GxPageSetup& setup, QPrinter* printer, QWidget* parent)
    : QDialog(parent), m_printer(printer)
{
    setObjectName(QStringLiteral("PageSetupDlg"));
    setWindowTitle(tr("Page Setup"));
    auto* tabs = new QTabWidget;
    tabs->addTab(buildPage(), tr("Page"));
    tabs->addTab(buildMargins(), tr("Margins"));
    tabs->addTab(buildSheet(), tr("Sheet"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* printerButton = buttons->addButton(tr("&Printer..."), QDialogButtonBox::ActionRole);
    printerButton->setObjectName(QStringLiteral("btPrinter"));
    connect(printerButton, &QPushButton::clicked, this, &GxPageSetupDialog::btPrinterClick);
    printerButton->setEnabled(m_printer != nullptr);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    load(setup);
}

QWidget* GxPageSetupDialog::buildPage()
{
    auto* page = new QWidget;
    auto* orientation = new QGroupBox(tr("Orientation"));
    rbPortrait = new QRadioButton(tr("P&ortrait"));
    rbPortrait->setObjectName(QStringLiteral("rbPortrait"));
    rbLandscape = new QRadioButton(tr("&Landscape"));
    rbLandscape->setObjectName(QStringLiteral("rbLandscape"));
    auto* ol = new QHBoxLayout(orientation);
    ol->addWidget(rbPortrait);
    ol->addWidget(rbLandscape);
    ol->addStretch();

    auto* scaling = new QGroupBox(tr("Scaling"));
    seScale = new QSpinBox;
    seScale->setObjectName(QStringLiteral("seScale"));
    seScale->setRange(10, 400);
    seScale->setSuffix(QStringLiteral(" %"));
    cbFitWidth = new QCheckBox(tr("&Fit all columns on one page"));
    cbFitWidth->setObjectName(QStringLiteral("cbFitWidth"));
    auto* sl = new QFormLayout(scaling);
    sl->addRow(tr("&Adjust to:"), seScale);
    sl->addRow(cbFitWidth);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(orientation);
    layout->addWidget(scaling);
    layout->addStretch();
    return page;
}

QWidget* GxPageSetupDialog::buildMargins()
{
    auto* page = new QWidget;
    seTop = marginBox(QStringLiteral("seTop"));
    seBottom = marginBox(QStringLiteral("seBottom"));
    seLeft = marginBox(QStringLiteral("seLeft"));
    seRight = marginBox(QStringLiteral("seRight"));
    cbCentre = new QCheckBox(tr("Centre on page &horizontally"));
    cbCentre->setObjectName(QStringLiteral("cbCentre"));
    auto* form = new QFormLayout(page);
    form->addRow(tr("&Top:"), seTop);
    form->addRow(tr("&Bottom:"), seBottom);
    form->addRow(tr("&Left:"), seLeft);
    form->addRow(tr("&Right:"), seRight);
    form->addRow(cbCentre);
    return page;
}

QWidget* GxPageSetupDialog::buildSheet()
{
    auto* page = new QWidget;
    edHeader = new QLineEdit;
    edHeader->setObjectName(QStringLiteral("edHeader"));
    edFooter = new QLineEdit;
    edFooter->setObjectName(QStringLiteral("edFooter"));
    cbGridLines = new QCheckBox(tr("&Grid lines"));
    cbGridLines->setObjectName(QStringLiteral("cbGridLines"));
    cbHeadings = new QCheckBox(tr("Row and column &headings"));
    cbHeadings->setObjectName(QStringLiteral("cbHeadings"));
    rbDownThenAcross = new QRadioButton(tr("&Down, then across"));
    rbDownThenAcross->setObjectName(QStringLiteral("rbDownThenAcross"));
    rbAcrossThenDown = new QRadioButton(tr("&Across, then down"));
    rbAcrossThenDown->setObjectName(QStringLiteral("rbAcrossThenDown"));
    auto* hint = new QLabel(tr("Codes: &&A sheet, &&F workbook, &&P page, &&N pages, &&D date"));
    hint->setEnabled(false);

    auto* form = new QFormLayout(page);
    form->addRow(tr("H&eader:"), edHeader);
    form->addRow(tr("F&ooter:"), edFooter);
    form->addRow(hint);
    form->addRow(cbGridLines);
    form->addRow(cbHeadings);
    form->addRow(tr("Page order:"), rbDownThenAcross);
    form->addRow(QString(), rbAcrossThenDown);
    return page;
}

void GxPageSetupDialog::load(const GxPageSetup& s)
{
    rbPortrait->setChecked(!s.landscape);
    rbLandscape->setChecked(s.landscape);
    seScale->setValue(s.scalePercent);
    cbFitWidth->setChecked(s.fitToPageWidth);
    seTop->setValue(s.marginsMm.top());
    seBottom->setValue(s.marginsMm.bottom());
    seLeft->setValue(s.marginsMm.left());
    seRight->setValue(s.marginsMm.right());
    cbCentre->setChecked(s.centreHorizontally);
    cbGridLines->setChecked(s.gridLines);
    cbHeadings->setChecked(s.headings);
    rbDownThenAcross->setChecked(!s.acrossThenDown);
    rbAcrossThenDown->setChecked(s.acrossThenDown);
    edHeader->setText(s.header);
    edFooter->setText(s.footer);
}

GxPageSetup GxPageSetupDialog::setup() const
{
    GxPageSetup s;
    s.landscape = rbLandscape->isChecked();
    s.scalePercent = seScale->value();
    s.fitToPageWidth = cbFitWidth->isChecked();
    s.marginsMm = QMarginsF(seLeft->value(), seTop->value(), seRight->value(), seBottom->value());
    s.centreHorizontally = cbCentre->isChecked();
    s.gridLines = cbGridLines->isChecked();
    s.headings = cbHeadings->isChecked();
    s.acrossThenDown = rbAcrossThenDown->isChecked();
    s.header = edHeader->text();
    s.footer = edFooter->text();
    return s;
}

void GxPageSetupDialog::btPrinterClick()
{
    if (m_printer)
        platform::dialogs().printerSetup(m_printer);
}

} // namespace vela::workbook
