#pragma once
// Writer and reader of the native format (layout in VtsFormat.cpp).
#include "workbook/engine/Cell.h"
#include "workbook/engine/FormulaNode.h"

#include <QByteArray>
#include <QDataStream>
#include <QHash>
#include <QStringList>
#include <vector>

namespace vela::workbook {

class Workbook;
class Sheet;

inline constexpr char kVtsMagic[4] = {'V', 'T', 'S', 'B'};
inline constexpr quint16 kVtsVersion = 1;

/// @brief Writes a workbook in the native format.
class VtsWriter {
public:
    VtsWriter(const Workbook& wb, QDataStream& out) : m_wb(wb), m_out(out) {}
    void write();

private:
    qint32 str(const QString& s);
    void collect();
    void writeStyles();
    void writeFormula(const Formula& f);
    void writeSheet(const Sheet& s);
    void writeValue(const Value& v);
    const Workbook& m_wb;
    QDataStream& m_out;
    QStringList m_strings;
    QHash<QString, qint32> m_stringIndex;
    QHash<const Formula*, quint32> m_formulaIndex;
    std::vector<const Formula*> m_formulas;
};

/// @brief Reads the native format into an empty workbook, checking every count and index.
class VtsReader {
public:
    VtsReader(Workbook& wb, const QByteArray& bytes) : m_wb(wb), m_bytes(bytes) {}
    bool read(QString& error);

private:
    bool fail(const QString& why);
    bool ok() const { return m_in->status() == QDataStream::Ok && m_error.isEmpty(); }
    bool count(quint32& n, int minBytesEach);
    bool readStrings();
    bool readStyles();
    bool readSheets();
    bool readFormulas();
    bool readFormula(std::shared_ptr<const Formula>& f);
    bool readCoord(RefCoord& c);
    bool readSheetBody(Sheet& s);
    bool readView(Sheet& s);
    bool readPrint(Sheet& s);
    bool readLayout(Sheet& s);
    bool readCells(Sheet& s);
    bool readValue(Value& v, bool allowFormula, Cell* cell);
    bool stringAt(qint32 i, QString& out);
    Workbook& m_wb;
    const QByteArray& m_bytes;
    QDataStream* m_in = nullptr;
    QString m_error;
    QStringList m_strings;
    std::vector<std::shared_ptr<const Formula>> m_formulas;
    qint64 m_cellsRead = 0;
};

} // namespace vela::workbook
