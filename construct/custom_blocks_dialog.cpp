#include "construct/custom_blocks_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

#include "model/puzzle.h"

CCustomBlocksDialog::CCustomBlocksDialog(int columns, int rows, QWidget* parent)
    : QDialog(parent), m_pColumns(new QSpinBox(this)), m_pRows(new QSpinBox(this)) {
    setWindowTitle(tr("ブロック数"));
    for (QSpinBox* box : {m_pColumns, m_pRows})
        box->setRange(1, kMaxPuzzleSide);
    m_pColumns->setValue(columns);
    m_pRows->setValue(rows);
    auto* form = new QFormLayout(this);
    form->addRow(tr("横のブロック数"), m_pColumns);
    form->addRow(tr("縦のブロック数"), m_pRows);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

int CCustomBlocksDialog::Columns() const {
    return m_pColumns->value();
}

int CCustomBlocksDialog::Rows() const {
    return m_pRows->value();
}
