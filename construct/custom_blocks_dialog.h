// The dialog of the block-count list's "カスタム..." entry: the puzzle's width and height in
// blocks, each 1..99.
#pragma once

#include <QDialog>

class QSpinBox;

class CCustomBlocksDialog : public QDialog {
    Q_OBJECT
public:
    CCustomBlocksDialog(int columns, int rows, QWidget* parent = nullptr);
    int Columns() const;
    int Rows() const;
    QSpinBox* ColumnsBox() const { return m_pColumns; }
    QSpinBox* RowsBox() const { return m_pRows; }

private:
    QSpinBox* m_pColumns;
    QSpinBox* m_pRows;
};
