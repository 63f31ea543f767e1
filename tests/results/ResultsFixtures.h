#pragma once
// Results files written byte by byte from the layout tables, independent of the record
// structures, for known-answer tests.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstring>

namespace vela::test {

/// @brief A zero-filled byte image with little-endian puts at fixed offsets.
class ByteImage {
public:
    explicit ByteImage(qsizetype size) : m_bytes(size, '\0') {}
    ByteImage& i32(qsizetype at, std::int32_t v) { return raw(at, &v, 4); }
    ByteImage& f32(qsizetype at, float v) { return raw(at, &v, 4); }
    ByteImage& u8(qsizetype at, std::uint8_t v) { return raw(at, &v, 1); }
    /// Bytes of a Latin-1/Windows-1252 text (give 0xB0 as "\xB0"), without the NUL.
    ByteImage& text(qsizetype at, const char* t) { return raw(at, t, std::strlen(t)); }
    [[nodiscard]] const QByteArray& bytes() const { return m_bytes; }

private:
    ByteImage& raw(qsizetype at, const void* p, std::size_t n)
    {
        std::memcpy(m_bytes.data() + at, p, n);  // the test machine is little-endian
        return *this;
    }
    QByteArray m_bytes;
};

/// A gloss file: code 60, three samples (81.5, 90.25, 95.5), the second tagged with the
/// comment "scratch", notes "note", extra values 100/50/7 (second hidden), base "Line0001".
inline QByteArray glossFixture()
{
    ByteImage b(43832);
    const qsizetype r = 4;
    b.i32(0, 0).i32(r + 0, 60).text(r + 4, "Default Analysis Sheet").text(r + 260, "60 \xB0")
        .text(r + 290, "Vela-Gloss").text(r + 320, "09/12/2026 10:11:12")
        .f32(r + 420, 95.5f).f32(r + 424, 81.5f).f32(r + 428, 89.0833f).f32(r + 432, 7.0f)
        .f32(r + 436, 7.9f).i32(r + 1440, 3)
        .f32(r + 1444, 81.5f).f32(r + 1448, 90.25f).f32(r + 1452, 95.5f)
        .u8(r + 5444 + 1, 1).text(r + 6444 + 35, "scratch")
        .text(r + 6444 + 2 * 35, "0123456789012345678901234567890123")
        .text(r + 41444, "note");
    b.f32(43448, 100.0f).u8(43452, 1).f32(43456, 50.0f).u8(43460, 0).f32(43464, 7.0f)
        .u8(43468, 1).text(43469, "Line0001").text(43729, "09/12/2026 10:12:00");
    return b.bytes();
}

/// An opacity file: batch 2 of 3, results 1.5/2.5/3.5, two black and three white readings.
inline QByteArray opacityFixture()
{
    ByteImage b(7836);
    const qsizetype r = 4;
    b.i32(0, 255).i32(r + 0, 8).text(r + 4, "Default Pac Analysis Sheet")
        .text(r + 260, "45/0 \xB0").text(r + 290, "Vela-Pac").text(r + 320, "1/2/2026 3:04:05")
        .i32(r + 420, 3).i32(r + 424, 2).f32(r + 428, 1.5f).f32(r + 432, 2.5f)
        .f32(r + 1436, 3.5f).i32(r + 1440, 2).f32(r + 1444, 10.0f).f32(r + 1448, 11.0f)
        .u8(r + 1644 + 1, 1).text(r + 1694 + 35, "black two")
        .i32(r + 3444, 3).f32(r + 3448, 20.0f).f32(r + 3452, 21.0f).f32(r + 3456, 22.0f)
        .u8(r + 3648 + 2, 1).text(r + 3698 + 2 * 35, "white three");
    b.f32(7452, 100.0f).u8(7456, 1).f32(7460, 0.0f).u8(7464, 1).f32(7468, 0.0f)
        .u8(7472, 1).text(7473, "Pac0002");
    return b.bytes();
}

/// A legacy file with the given angle code and sample number N; 10:20:30 o'clock; values
/// 1.0, 2.0, ... and every third tagged; notes "legacy notes".
inline QByteArray legacyFixture(float code, float n)
{
    ByteImage b(6020);
    b.f32(0, code).f32(4, n).u8(8, 20).u8(9, 10).u8(10, 99).u8(11, 30);
    for (int i = 0; i < 1000; ++i) {
        b.f32(20 + 4 * i, float(i + 1));
        b.u8(4020 + i, i % 3 == 0 ? 1 : 0);
    }
    b.text(5020, "legacy notes");
    return b.bytes();
}

} // namespace vela::test
