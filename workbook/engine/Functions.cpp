#include "workbook/engine/Functions.h"
#include "workbook/engine/FunctionSupport.h"

#include <QHash>

namespace vela::workbook {

namespace {
const FunctionInfo kFunctions[] = {
    {"SUM", 1, -1, false, fn::sum},
    {"AVERAGE", 1, -1, false, fn::average},
    {"MIN", 1, -1, false, fn::min},
    {"MAX", 1, -1, false, fn::max},
    {"COUNT", 1, -1, false, fn::count},
    {"COUNTA", 1, -1, false, fn::counta},
    {"COUNTBLANK", 1, 1, false, fn::countblank},
    {"COUNTIF", 2, 2, false, fn::countif},
    {"SUMIF", 2, 3, false, fn::sumif},
    {"AVERAGEIF", 2, 3, false, fn::averageif},
    {"STDEV", 1, -1, false, fn::stdev},
    {"STDEVP", 1, -1, false, fn::stdevp},
    {"VAR", 1, -1, false, fn::var},
    {"VARP", 1, -1, false, fn::varp},
    {"MEDIAN", 1, -1, false, fn::median},
    {"IF", 2, 3, false, fn::if_},
    {"IFERROR", 2, 2, false, fn::iferror},
    {"AND", 1, -1, false, fn::and_},
    {"OR", 1, -1, false, fn::or_},
    {"NOT", 1, 1, false, fn::not_},
    {"TRUE", 0, 0, false, fn::true_},
    {"FALSE", 0, 0, false, fn::false_},
    {"ROUND", 2, 2, false, fn::round},
    {"ROUNDUP", 2, 2, false, fn::roundup},
    {"ROUNDDOWN", 2, 2, false, fn::rounddown},
    {"INT", 1, 1, false, fn::int_},
    {"ABS", 1, 1, false, fn::abs},
    {"SQRT", 1, 1, false, fn::sqrt},
    {"MOD", 2, 2, false, fn::mod},
    {"POWER", 2, 2, false, fn::power},
    {"PI", 0, 0, false, fn::pi},
    {"ISNUMBER", 1, 1, false, fn::isnumber},
    {"ISTEXT", 1, 1, false, fn::istext},
    {"ISBLANK", 1, 1, false, fn::isblank},
    {"ISERROR", 1, 1, false, fn::iserror},
    {"ISNA", 1, 1, false, fn::isna},
    {"NA", 0, 0, false, fn::na},
    {"LEN", 1, 1, false, fn::len},
    {"LEFT", 1, 2, false, fn::left},
    {"RIGHT", 1, 2, false, fn::right},
    {"MID", 3, 3, false, fn::mid},
    {"UPPER", 1, 1, false, fn::upper},
    {"LOWER", 1, 1, false, fn::lower},
    {"TRIM", 1, 1, false, fn::trim},
    {"CONCATENATE", 1, -1, false, fn::concatenate},
    {"TEXT", 2, 2, false, fn::text},
    {"VALUE", 1, 1, false, fn::value},
    {"NOW", 0, 0, true, fn::now},
    {"TODAY", 0, 0, true, fn::today},
    {"DATE", 3, 3, false, fn::date},
    {"ROW", 0, 1, false, fn::row},
    {"COLUMN", 0, 1, false, fn::column},
    {"INDEX", 2, 3, false, fn::index},
    {"MATCH", 2, 3, false, fn::match},
    {"VLOOKUP", 3, 4, false, fn::vlookup},
    {"HLOOKUP", 3, 4, false, fn::hlookup},
};
} // namespace

int functionId(const QString& name)
{
    static const QHash<QString, int> index = [] {
        QHash<QString, int> h;
        for (int i = 0; i < int(std::size(kFunctions)); ++i)
            h.insert(QLatin1String(kFunctions[i].name), i);
        return h;
    }();
    return index.value(name.toUpper(), -1);
}

const FunctionInfo& functionInfo(int id)
{
    return kFunctions[id];
}

} // namespace vela::workbook
