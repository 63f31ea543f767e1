#pragma once
// Item model over one sheet of the engine: what the grid, the printer and find read. Rows and
// columns of the model are 0-based; the engine's are 1-based.
#include "workbook/engine/Range.h"
#include "workbook/engine/Sheet.h"

#include <QAbstractTableModel>
#include <QFont>
#include <QHash>

namespace vela::workbook {

class Workbook;

/// @brief Table model of the active sheet of a workbook, with the control's edit locks.
class GxSheetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    /// Extra role: true when the cell holds a number (the delegate shows "###" when it is cut).
    static constexpr int IsNumberRole = Qt::UserRole + 1;

    explicit GxSheetModel(Workbook* workbook, QObject* parent = nullptr);

    /// Shows another sheet (0-based) with the given extent in rows and columns.
    void showSheet(int index, int rows, int columns);
    void setExtent(int rows, int columns);
    [[nodiscard]] int sheetIndex() const { return m_index; }
    [[nodiscard]] vela::workbook::Sheet* sheet() const;

    /// Zoom factor applied to fonts (1.0 = 100 %).
    void setZoom(double factor);
    [[nodiscard]] double zoom() const { return m_zoom; }
    /// Edit locks: in-cell editing at all, and the sheet's protection of locked cells.
    void setInCellEditing(bool on) { m_inCellEditing = on; }
    [[nodiscard]] bool inCellEditing() const { return m_inCellEditing; }
    /// True when the cell (0-based) may be changed by the operator.
    [[nodiscard]] bool isCellEditable(int row, int column) const;

    /// Font of a style at the current zoom (cached per style).
    [[nodiscard]] QFont fontForStyle(quint32 styleId) const;
    /// Forgets cached fonts after styles or zoom changed.
    void invalidateFonts() { m_fonts.clear(); }
    /// Repaints the whole sheet (after bulk changes while painting was off).
    void refreshAll();

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation o, int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

Q_SIGNALS:
    /// The operator entered text into a cell (0-based); result of the engine's input parse.
    void cellEdited(int row, int column, bool ok, const QString& error);

private:
    void onCellsChanged(int sheetIndex, const vela::workbook::Range& range);
    [[nodiscard]] QVariant alignment(int row, int column, const Style& style) const;
    [[nodiscard]] QVariant foreground(int row, int column, const Style& style) const;

    Workbook* m_workbook;
    int m_index = 0;
    int m_rows = 0;
    int m_columns = 0;
    double m_zoom = 1.0;
    bool m_inCellEditing = true;
    mutable QHash<quint32, QFont> m_fonts;
};

} // namespace vela::workbook
