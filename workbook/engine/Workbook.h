#pragma once
#include "workbook/engine/Sheet.h"
#include "workbook/engine/Style.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <memory>
#include <vector>

namespace vela::workbook {

class DependencyGraph;

/// @brief A workbook: sheets, the shared style table, the dependency graph and recalculation.
/// Sheets are numbered from 0. Every edit recalculates what depends on it (unless automatic
/// recalculation is off) and emits cellsChanged for the edited and the recalculated cells.
class Workbook : public QObject {
    Q_OBJECT
public:
    explicit Workbook(QObject* parent = nullptr);
    ~Workbook() override;

    /// Empties the workbook to one sheet "Sheet1" with default state (InitTable).
    void clear();
    /// Replaces the whole contents by those of other (other is left empty). Used by file reads so
    /// that a failed read leaves this workbook as it was.
    void takeContents(Workbook& other);

    // ---- sheets ----
    [[nodiscard]] int sheetCount() const { return int(m_sheets.size()); }
    [[nodiscard]] Sheet* sheet(int index) const;          ///< null when out of range
    [[nodiscard]] Sheet* sheetById(int id) const;
    [[nodiscard]] Sheet* sheetByName(const QString& name) const; ///< case-insensitive
    Sheet* addSheet(const QString& name = {});             ///< appended; empty name: "SheetN"
    Sheet* insertSheet(int index, const QString& name = {});
    /// Removes a sheet (not the last one); formulas that referred to it give #REF!.
    bool removeSheet(int index);
    /// Renames; refuses empty names, names with []:*?/\ and names already used.
    bool renameSheet(int index, const QString& name);
    void moveSheet(int from, int to);
    [[nodiscard]] int activeSheet() const { return m_active; }
    void setActiveSheet(int index);

    // ---- styles ----
    [[nodiscard]] const Style& styleAt(quint32 id) const;  ///< id 0 is the default style
    quint32 styleId(const Style& s);                       ///< finds or adds
    [[nodiscard]] int styleCount() const { return int(m_styles.size()); }
    [[nodiscard]] const Style& defaultStyle() const { return m_styles.front(); }
    void setDefaultStyle(const Style& s);                  ///< default font of the workbook

    // ---- calculation ----
    [[nodiscard]] bool autoRecalc() const { return m_autoRecalc; }
    void setAutoRecalc(bool on);                           ///< off: edits only mark cells dirty
    /// Recomputes every formula of every sheet (Recalc).
    void recalculate();
    /// Recomputes the dirty cells and what depends on them (runs by itself after each edit).
    void recalculateDirty();
    /// Evaluates formula text as if it stood in the given cell, without storing it.
    [[nodiscard]] Value evaluate(const QString& formulaText, int sheetIndex = 0, CellRef at = {1, 1});
    /// Number of formula cells computed by the last recalculation (for benchmarks and tests).
    [[nodiscard]] int lastRecalcCount() const { return m_lastRecalcCount; }

    /// Collects changes while >0 and signals them once at the end (the Repaint property off).
    void beginUpdate();
    void endUpdate();

    [[nodiscard]] bool isModified() const { return m_modified; }
    void setModified(bool on) { m_modified = on; }

    // ---- engine internals ----
    [[nodiscard]] DependencyGraph& graph() { return *m_graph; }
    /// Called by Sheet after a cell's contents changed (formula added/removed/replaced).
    void cellContentChanged(Sheet* sheet, int row, int col, bool hadFormula);
    /// Recalculates now if cells are waiting (reads call this so they never see stale values).
    void ensureCalculated() const;
    /// Called by Sheet after anything that is not cell contents changed (layout, view, print).
    void notifyLayout(Sheet* sheet);
    void notifyCells(Sheet* sheet, const Range& r);
    void notifyStructure(Sheet* sheet);
    /// Rebuilds the dependency graph from all formulas (after structural edits and reads).
    void rebuildGraph();
    int nextSheetId() { return ++m_lastSheetId; }

signals:
    /// Values or styles of these cells changed (edits and recalculation).
    void cellsChanged(int sheetIndex, vela::workbook::Range range);
    /// Rows or columns were inserted or deleted, or a paste/sort moved many cells.
    void structureChanged(int sheetIndex);
    /// Column widths, row heights, hidden state, view, print set-up or protection changed.
    void layoutChanged(int sheetIndex);
    /// Sheets added, removed, renamed or moved, or the active sheet changed.
    void sheetsChanged();
    /// Everything replaced (clear, read).
    void reset();
    /// Any change of contents (OnModified).
    void modified();

private:
    void emitPending();
    void recalcFrom(const std::vector<quint64>& starts, bool all);
    void pendingCells(int sheetIndex, const Range& r);
    std::vector<quint64> m_dirty;
    bool m_calculating = false;
    std::vector<std::unique_ptr<Sheet>> m_sheets;
    std::vector<Style> m_styles;
    QHash<Style, quint32> m_styleIndex;
    std::unique_ptr<DependencyGraph> m_graph;
    int m_active = 0;
    int m_lastSheetId = 0;
    int m_updateDepth = 0;
    int m_lastRecalcCount = 0;
    bool m_autoRecalc = true;
    bool m_modified = false;
    struct Pending;
    std::unique_ptr<Pending> m_pending;
};

} // namespace vela::workbook
