#include "GxFindDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vela::workbook {

GxFindDialog::GxFindDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FindDlg"));
    setWindowTitle(tr("Find"));
    setModal(false);

    edFindWhat = new QLineEdit;
    edFindWhat->setObjectName(QStringLiteral("edFindWhat"));
    auto* label = new QLabel(tr("Fi&nd what:"));
    label->setBuddy(edFindWhat);
    cbMatchCase = new QCheckBox(tr("Match &case"));
    cbMatchCase->setObjectName(QStringLiteral("cbMatchCase"));
    cbWholeCell = new QCheckBox(tr("Find entire cells &only"));
    cbWholeCell->setObjectName(QStringLiteral("cbWholeCell"));

    btFindNext = new QPushButton(tr("&Find Next"));
    btFindNext->setObjectName(QStringLiteral("btFindNext"));
    btFindNext->setDefault(true);
    btFindNext->setEnabled(false);
    auto* btClose = new QPushButton(tr("Close"));
    btClose->setObjectName(QStringLiteral("btClose"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(edFindWhat, 0, 1);
    grid->addWidget(cbMatchCase, 1, 1);
    grid->addWidget(cbWholeCell, 2, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(btFindNext);
    buttons->addWidget(btClose);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 2, 3, 1);

    connect(edFindWhat, &QLineEdit::textChanged, this,
            [this](const QString& t) { btFindNext->setEnabled(!t.isEmpty()); });
    connect(btFindNext, &QPushButton::clicked, this, &GxFindDialog::btFindNextClick);
    connect(btClose, &QPushButton::clicked, this, &QDialog::close);
}

void GxFindDialog::btFindNextClick()
{
    if (!edFindWhat->text().isEmpty())
        emit findNext(edFindWhat->text(), cbMatchCase->isChecked(), cbWholeCell->isChecked());
}

} // namespace vela::workbook
