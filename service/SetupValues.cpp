#include "SetupValues.h"

#include "link/CommandSet.h"

namespace vela::service {
namespace {

namespace config = link::config;

struct ModelEntry {
    SetupModel model;
    const char* key;
    unsigned clearedBits;   ///< model bits the configuration word clears for it
};

constexpr ModelEntry kModels[] = {
    {SetupModel::Single20, "single20", config::kSingle20},
    {SetupModel::Single60, "single60", config::kSingle60},
    {SetupModel::Single45, "single45", config::kSingle45},
    {SetupModel::Single45_0, "single45-0", config::kSingle45_0},
    {SetupModel::Dual, "dual", 0},
    {SetupModel::Triple, "triple", config::kTriple},
};

} // namespace

QString modelKey(SetupModel model)
{
    for (const ModelEntry& e : kModels)
        if (e.model == model)
            return QString::fromLatin1(e.key);
    return {};
}

bool modelFromKey(const QString& key, SetupModel& model)
{
    for (const ModelEntry& e : kModels) {
        if (key.compare(QLatin1String(e.key), Qt::CaseInsensitive) == 0) {
            model = e.model;
            return true;
        }
    }
    return false;
}

quint16 buildConfigWord(const SetupValues& v)
{
    unsigned word = 0xFFFF;
    const auto clearIf = [&word](bool condition, unsigned mask) {
        if (condition)
            word &= ~mask;
    };
    clearIf(v.partnerBrand, config::kPartnerBrand);
    clearIf(!v.statsInstrument, config::kStats);
    clearIf(v.passFailLimits, config::kPassFailLimits);
    clearIf(!v.divideBy10Ranging, config::kDivideBy10);
    clearIf(v.readOnTimeOps, config::kReadOnTime);
    clearIf(!v.enableCorrection, config::kCorrection);
    for (const ModelEntry& e : kModels)
        clearIf(e.model == v.model, e.clearedBits);
    return quint16(word);
}

void decodeConfigWord(quint16 word, SetupValues& v)
{
    const auto clear = [word](unsigned mask) { return (word & mask) == 0; };
    constexpr unsigned kModelBits =
        config::kSingle20 | config::kSingle60 | config::kSingle45 | config::kSingle45_0;
    if ((word & kModelBits) == kModelBits) {
        v.model = clear(config::kTriple) ? SetupModel::Triple : SetupModel::Dual;
    } else {
        // Each clear model bit checks its button in turn, so the last one wins.
        if (clear(config::kSingle20))
            v.model = SetupModel::Single20;
        if (clear(config::kSingle60))
            v.model = SetupModel::Single60;
        if (clear(config::kSingle45))
            v.model = SetupModel::Single45;
        if (clear(config::kSingle45_0))
            v.model = SetupModel::Single45_0;
    }
    v.partnerBrand = clear(config::kPartnerBrand);
    v.statsInstrument = !clear(config::kStats);
    v.passFailLimits = clear(config::kPassFailLimits);
    v.divideBy10Ranging = !clear(config::kDivideBy10);
    v.readOnTimeOps = clear(config::kReadOnTime);
    v.enableCorrection = !clear(config::kCorrection);
    v.configWord = QStringLiteral("%1").arg(word, 4, 16, QLatin1Char('0'));
}

int memoryBaseOf(quint16 configWord)
{
    return (configWord & config::kTriple) ? link::mem::kBaseDual : link::mem::kBaseOther;
}

bool has20Degree(SetupModel model)
{
    return model == SetupModel::Single20 || model == SetupModel::Dual || model == SetupModel::Triple;
}

bool has60Degree(SetupModel model)
{
    return model == SetupModel::Single60 || model == SetupModel::Dual || model == SetupModel::Triple;
}

bool has85Degree(SetupModel model)
{
    return model == SetupModel::Triple;
}

} // namespace vela::service
