#include "GxSheetModel.h"

#include "workbook/engine/Workbook.h"

#include <QBrush>
#include <QColor>

namespace vela::workbook {

GxSheetModel::GxSheetModel(Workbook* workbook, QObject* parent)
    : QAbstractTableModel(parent), m_workbook(workbook)
{
    connect(m_workbook, &Workbook::cellsChanged, this, &GxSheetModel::onCellsChanged);
}

vela::workbook::Sheet* GxSheetModel::sheet() const
{
    return m_workbook->sheet(m_index);
}

void GxSheetModel::showSheet(int index, int rows, int columns)
{
    beginResetModel();
    m_index = index;
    m_rows = std::clamp(rows, 0, kMaxRows);
    m_columns = std::clamp(columns, 0, kMaxCols);
    m_fonts.clear();
    endResetModel();
}

void GxSheetModel::setExtent(int rows, int columns)
{
    rows = std::clamp(rows, 0, kMaxRows);
    columns = std::clamp(columns, 0, kMaxCols);
    if (rows == m_rows && columns == m_columns)
        return;
    // Growing and shrinking are told to the view as inserts and removals so that the
    // selection and the scroll position survive.
    if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    } else if (rows < m_rows) {
        beginRemoveRows({}, rows, m_rows - 1);
        m_rows = rows;
        endRemoveRows();
    }
    if (columns > m_columns) {
        beginInsertColumns({}, m_columns, columns - 1);
        m_columns = columns;
        endInsertColumns();
    } else if (columns < m_columns) {
        beginRemoveColumns({}, columns, m_columns - 1);
        m_columns = columns;
        endRemoveColumns();
    }
}

void GxSheetModel::setZoom(double factor)
{
    m_zoom = factor;
    m_fonts.clear();
    refreshAll();
}

void GxSheetModel::refreshAll()
{
    if (m_rows > 0 && m_columns > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, m_columns - 1));
    emit headerDataChanged(Qt::Horizontal, 0, std::max(0, m_columns - 1));
}

bool GxSheetModel::isCellEditable(int row, int column) const
{
    const auto* s = sheet();
    return s && m_inCellEditing && s->isEditable(row + 1, column + 1);
}

QFont GxSheetModel::fontForStyle(quint32 styleId) const
{
    auto it = m_fonts.constFind(styleId);
    if (it != m_fonts.constEnd())
        return *it;
    const Style& st = m_workbook->styleAt(styleId);
    QFont font(st.fontName);
    font.setPointSizeF(std::max(1.0, st.fontSize * m_zoom));
    font.setBold(st.bold);
    font.setItalic(st.italic);
    font.setUnderline(st.underline);
    m_fonts.insert(styleId, font);
    return font;
}

int GxSheetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int GxSheetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

QVariant GxSheetModel::alignment(int row, int column, const Style& style) const
{
    int h = Qt::AlignLeft;
    switch (style.hAlign) {
    case HAlign::General: {
        const Value v = sheet()->value(row, column);
        h = v.isNumber() ? Qt::AlignRight
                         : (v.isBoolean() || v.isError() ? Qt::AlignHCenter : Qt::AlignLeft);
        break;
    }
    case HAlign::Left: case HAlign::Fill: h = Qt::AlignLeft; break;
    case HAlign::Center: case HAlign::CenterAcross: h = Qt::AlignHCenter; break;
    case HAlign::Right: h = Qt::AlignRight; break;
    case HAlign::Justify: h = Qt::AlignJustify; break;
    }
    const int v = style.vAlign == VAlign::Top ? Qt::AlignTop
                  : style.vAlign == VAlign::Center ? Qt::AlignVCenter : Qt::AlignBottom;
    return h | v;
}

QVariant GxSheetModel::foreground(int row, int column, const Style& style) const
{
    if (const auto c = sheet()->displayColor(row, column))
        return QBrush(QColor::fromRgb(*c));
    return QBrush(QColor::fromRgba(style.color | 0xFF000000u));
}

QVariant GxSheetModel::data(const QModelIndex& index, int role) const
{
    const auto* s = sheet();
    if (!s || !index.isValid())
        return {};
    const int row = index.row() + 1;
    const int col = index.column() + 1;
    switch (role) {
    case Qt::DisplayRole:
        return s->displayText(row, col);
    case Qt::EditRole: {
        if (s->isProtected() && s->style(row, col).hiddenFormula)
            return s->displayText(row, col);
        return s->inputText(row, col);
    }
    case Qt::FontRole:
        return fontForStyle(s->styleId(row, col));
    case Qt::ForegroundRole:
        return foreground(row, col, s->style(row, col));
    case Qt::BackgroundRole: {
        const Style& st = s->style(row, col);
        return st.hasBackground() ? QVariant(QBrush(QColor::fromRgba(st.background))) : QVariant();
    }
    case Qt::TextAlignmentRole:
        return alignment(row, col, s->style(row, col));
    case IsNumberRole:
        return s->value(row, col).isNumber();
    case Qt::ToolTipRole: {
        const QString err = s->formulaError(row, col);
        return err.isEmpty() ? QVariant() : QVariant(err);
    }
    default:
        return {};
    }
}

QVariant GxSheetModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (role == Qt::DisplayRole)
        return o == Qt::Horizontal ? columnName(section + 1) : QString::number(section + 1);
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

Qt::ItemFlags GxSheetModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (isCellEditable(index.row(), index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

bool GxSheetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    auto* s = sheet();
    if (!s || !index.isValid() || role != Qt::EditRole
        || !isCellEditable(index.row(), index.column()))
        return false;
    const InputResult result = s->setInput(index.row() + 1, index.column() + 1, value.toString());
    emit cellEdited(index.row(), index.column(), result.ok, result.error);
    return true;
}

void GxSheetModel::onCellsChanged(int sheetIndex, const Range& range)
{
    if (sheetIndex != m_index || m_rows == 0 || m_columns == 0 || !range.isValid())
        return;
    const int r1 = std::clamp(range.row1, 1, m_rows) - 1;
    const int r2 = std::clamp(range.row2, 1, m_rows) - 1;
    const int c1 = std::clamp(range.col1, 1, m_columns) - 1;
    const int c2 = std::clamp(range.col2, 1, m_columns) - 1;
    if (range.row1 > m_rows || range.col1 > m_columns)
        return;
    emit dataChanged(index(r1, c1), index(r2, c2));
}

} // namespace vela::workbook
