#include "InstrumentState.h"

#include "link/CommandSet.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vela::sim {
namespace {

struct ModelInfo {
    Model model;
    const char* name;
    quint16 config;
    int angleCode;
};

constexpr ModelInfo kModels[] = {
    {Model::Single20, "single20", 0xFBF7, link::angle::k20},
    {Model::Single45, "single45", 0xFBBF, link::angle::k45},
    {Model::Single45_0, "single45-0", 0xFB7F, link::angle::k45_0},
    {Model::Single60, "single60", 0xFBFB, link::angle::k60},
    {Model::Dual, "dual", 0xFFFF, link::angle::kAll},
    {Model::Triple, "triple", 0xFBFF, link::angle::kAll},
    {Model::Opacity, "opacity", 0xFB7F, link::angle::k45_0},
};

const ModelInfo& info(Model model)
{
    for (const ModelInfo& m : kModels)
        if (m.model == model)
            return m;
    return kModels[4];
}

int headerAddress(const InstrumentState& s, int slot)
{
    return s.memoryBase() + link::mem::kSlotHeaders[slot];
}

} // namespace

QString modelName(Model model)
{
    return QString::fromLatin1(info(model).name);
}

bool modelFromName(const QString& name, Model& model)
{
    for (const ModelInfo& m : kModels) {
        if (name.compare(QLatin1String(m.name), Qt::CaseInsensitive) == 0) {
            model = m.model;
            return true;
        }
    }
    return false;
}

quint16 InstrumentState::word(int address) const
{
    if (address < 0 || address + 1 >= kMemorySize)
        return 0xFFFF;  // unpopulated memory reads as erased
    return quint16(memory[size_t(address)] | (memory[size_t(address) + 1] << 8));
}

void InstrumentState::setWord(int address, quint16 value)
{
    if (address < 0 || address + 1 >= kMemorySize)
        return;
    memory[size_t(address)] = std::uint8_t(value & 0xFF);
    memory[size_t(address) + 1] = std::uint8_t(value >> 8);
}

float InstrumentState::floatAt(int address) const
{
    const quint32 bits = quint32(word(address)) | (quint32(word(address + 2)) << 16);
    float v = 0;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

void InstrumentState::setFloat(int address, float value)
{
    quint32 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    setWord(address, quint16(bits & 0xFFFF));
    setWord(address + 2, quint16(bits >> 16));
}

int InstrumentState::memoryBase() const
{
    return (word(link::mem::kConfigWord) & link::config::kTriple) ? link::mem::kBaseDual
                                                                  : link::mem::kBaseOther;
}

int InstrumentState::angleCode() const
{
    return qint16(word(0));
}

std::vector<int> slotsOf(Model model)
{
    switch (model) {
    case Model::Dual: return {0, 1};
    case Model::Triple: return {0, 1, 2};
    case Model::Single20: return {0};  // the 20 degree slot, read by the 20 degree upload
    default: return {1};
    }
}

void applyModel(InstrumentState& s, Model model)
{
    s.model = model;
    s.memory.fill(0);
    const ModelInfo& m = info(model);
    s.setWord(link::mem::kConfigWord, m.config);
    s.setWord(0, quint16(m.angleCode));
    s.setWord(2, 0);
    const bool single = model != Model::Dual && model != Model::Triple;
    s.setWord(4, single ? 0 : 1);
    s.setWord(6, model == Model::Opacity ? link::option::kOpacity : 0);
    s.setWord(8, 0);       // English
    s.setWord(10, 1);      // automatic calibration
    s.setFloat(12, 5.5f);  // minimum supply voltage
    s.setWord(16, 60);     // on time, seconds
    s.setWord(18, 200);    // bulb settling time
    s.setWord(link::mem::kMirrorCorrection2, 1000);
    s.setWord(link::mem::kMirrorCorrection20, 1000);
    setSerialWords(s, 0x1234, 0x0512, 0x4708);
    setCalibrationDate(s, "01/06/2024");
    for (int slot = 0; slot < 3; ++slot) {
        setSlotCalibration(s, slot, SlotCalibration{});
        storeSamples(s, slot, {});
    }
    s.currentAngle = slotsOf(model).front();
}

void storeSamples(InstrumentState& s, int slot, const std::vector<float>& values)
{
    const int n = int(std::min<size_t>(values.size(), size_t(link::mem::kSlotMaxSamples)));
    const int header = headerAddress(s, slot);
    const int area = s.memoryBase() + link::mem::kSlotSamples[slot];
    double sum = 0, maxV = n ? values[0] : 0, minV = n ? values[0] : 0;
    for (int i = 0; i < n; ++i) {
        s.setFloat(area + 4 * i, values[size_t(i)]);
        sum += values[size_t(i)];
        maxV = std::max<double>(maxV, values[size_t(i)]);
        minV = std::min<double>(minV, values[size_t(i)]);
    }
    const double mean = n ? sum / n : 0;
    double sq = 0;
    for (int i = 0; i < n; ++i)
        sq += (values[size_t(i)] - mean) * (values[size_t(i)] - mean);
    const double sd = n > 1 ? std::sqrt(sq / (n - 1)) : 0;
    s.setWord(header, quint16(n));
    s.setFloat(header + 4, float(mean != 0 ? sd / mean * 100.0 : 0));
    s.setFloat(header + 8, float(sd));
    s.setFloat(header + 12, float(maxV));
    s.setFloat(header + 16, float(minV));
    s.setFloat(header + 20, float(mean));
}

std::vector<float> storedSamples(const InstrumentState& s, int slot)
{
    const int n = std::clamp<int>(qint16(s.word(headerAddress(s, slot))), 0, link::mem::kSlotMaxSamples);
    const int area = s.memoryBase() + link::mem::kSlotSamples[slot];
    std::vector<float> out;
    for (int i = 0; i < n; ++i)
        out.push_back(s.floatAt(area + 4 * i));
    return out;
}

void setSlotCalibration(InstrumentState& s, int slot, const SlotCalibration& c)
{
    const int h = headerAddress(s, slot);
    s.setWord(h + 2, quint16((c.sourcePot & 0xFF) | ((c.receiverPot & 0xFF) << 8)));
    s.setFloat(h + 24, c.target);
    s.setFloat(h + 32, c.gain);
    s.setFloat(h + 36, c.offset);
    s.setFloat(h + 44, c.high);
    s.setFloat(h + 48, c.low);
    s.setFloat(h + 52, c.difference);
}

void setCalibrationDate(InstrumentState& s, const QByteArray& text)
{
    for (int i = 0; i < link::mem::kCalDateWords; ++i) {
        const auto at = [&](int k) { return k < text.size() ? std::uint8_t(text[k]) : std::uint8_t(0); };
        s.setWord(link::mem::kCalDateText + 2 * i, quint16(at(2 * i) | (at(2 * i + 1) << 8)));
    }
}

QByteArray calibrationDate(const InstrumentState& s)
{
    QByteArray out;
    for (int i = 0; i < link::mem::kCalDateWords; ++i) {
        const quint16 w = s.word(link::mem::kCalDateText + 2 * i);
        out.append(char(w & 0xFF)).append(char(w >> 8));
    }
    const qsizetype nul = out.indexOf('\0');
    return nul < 0 ? out : out.left(nul);
}

void setSerialWords(InstrumentState& s, quint16 digits, quint16 monthSuffix, quint16 prefixYear)
{
    s.setWord(link::mem::kSerialDigits, digits);
    s.setWord(link::mem::kSerialMonthSuffix, monthSuffix);
    s.setWord(link::mem::kSerialPrefixYear, prefixYear);
}

} // namespace vela::sim
