#include "ChartTestData.h"

namespace vela::test {

results::ResultsRecord glossRecord(std::initializer_list<float> values)
{
    results::ResultsRecord r;
    r.setAngle(QString::fromUtf8("60 °"));
    int i = 0;
    for (float v : values)
        r.values[i++] = v;
    r.sampleCount = i;
    return r;
}

results::ResultsRecord rampRecord(int n, float start, float step)
{
    results::ResultsRecord r;
    r.setAngle(QString::fromUtf8("60 °"));
    for (int i = 0; i < n && i < results::kMaxSamples; ++i)
        r.values[i] = start + step * float(i);
    r.sampleCount = n;
    return r;
}

results::OpacityRecord opacityRecord(std::initializer_list<float> black,
                                     std::initializer_list<float> white)
{
    results::OpacityRecord op;
    op.setAngle(QString::fromUtf8("45/0 °"));
    int i = 0;
    for (float v : black)
        op.black[i++] = v;
    op.blackCount = i;
    i = 0;
    for (float v : white)
        op.white[i++] = v;
    op.whiteCount = i;
    return op;
}

} // namespace vela::test
