// The memory operations of the instrument link: word and block reads, word writes, the
// presence probe, the memory-busy guard, system data, slot headers and slot samples.
#include "InstrumentLink.h"

#include "platform/Dialogs.h"
#include "platform/Wait.h"
#include "translation/Translator.h"

namespace vela::link {
namespace {

/// Sets a time base for one call and restores the previous one.
class TimeBaseScope {
public:
    TimeBaseScope(InstrumentLink& link, int timeBase) : m_link(link), m_saved(link.TimeBase())
    {
        m_link.SetTimeBase(timeBase);
    }
    ~TimeBaseScope() { m_link.SetTimeBase(m_saved); }
    TimeBaseScope(const TimeBaseScope&) = delete;
    TimeBaseScope& operator=(const TimeBaseScope&) = delete;

private:
    InstrumentLink& m_link;
    int m_saved;
};

bool slotSelected(int slotType, int slot)
{
    return slotType == slot || slotType == 3;
}

} // namespace

quint16 InstrumentLink::ReadMemoryWord(int address)
{
    quint32 value = 0;
    if (!SendCommand(cmd::kReadEeprom, address, &value))
        return 0;
    return quint16(value);
}

bool InstrumentLink::ReadMemoryBlock(int address, quint16* destination, int words)
{
    if (m_inTransaction) {
        // Started from an event during another transaction's wait: every word would be refused
        // and read as 0, and clearing the abort flag would cancel the waiting one's time-out.
        ++m_refused;
        return false;
    }
    m_abort = false;
    for (int i = 0; i < words && !m_abort; ++i) {
        const quint16 word = ReadMemoryWord(address + 2 * i);
        // A frame that could not be sent is no reply read as 0: the port is gone, stop here.
        if (m_frameUnsent)
            return false;
        destination[i] = word;
    }
    return !m_abort;
}

bool InstrumentLink::WriteMemoryWordQuiet(int address, quint16 value, quint32* replyValue)
{
    bool ok = SendCommand(cmd::kLoadAddress, address);
    platform::pause(m_timings.afterLoadAddressMs);
    if (ok) {
        ok = SendCommand(cmd::kWriteEeprom, value, replyValue);
        platform::pause(m_timings.afterWriteWordMs);
    }
    return ok;
}

bool InstrumentLink::WriteMemoryWord(int address, quint16 value)
{
    if (WriteMemoryWordQuiet(address, value))
        return true;
    vela::TranslatedMessageBox(QStringLiteral("Vela-DuzirIriz Eeprom write failure."),
                               QStringLiteral("Vela-DuzirIriz Error"), platform::MB_OK);
    return false;
}

bool InstrumentLink::ProbeInstrument(quint32* version)
{
    TimeBaseScope scope(*this, m_timings.probeTimeBase);
    return SendCommand(cmd::kVersion, 0, version);
}

bool InstrumentLink::MemoryBusy()
{
    TimeBaseScope scope(*this, m_timings.memoryBusyTimeBase);
    return SendCommand(cmd::kLockBusy, kLockBusyValue);
}

bool InstrumentLink::ReadSystemData()
{
    if (MemoryBusy())
        return false;
    // Read over a copy so that the words read before a time-out replace the old ones.
    std::array<quint16, mem::kSystemDataWords> words{};
    for (size_t i = 0; i < words.size(); ++i)
        words[i] = quint16(m_system.words[i]);
    const bool ok = ReadMemoryBlock(mem::kSystemData, words.data(), mem::kSystemDataWords);
    for (size_t i = 0; i < words.size(); ++i)
        m_system.words[i] = qint16(words[i]);
    if (!ok)
        return false;
    quint16 soak[2] = {quint16(m_system.soakCount), quint16(m_system.soakCount >> 16)};
    ReadMemoryBlock(mem::kSoakCount, soak, 2);
    m_system.soakCount = quint32(soak[0]) | (quint32(soak[1]) << 16);
    Q_EMIT systemDataRead();
    return true;
}

bool InstrumentLink::readOneHeader(int slot)
{
    SlotData& data = m_slots[size_t(slot)];
    data.countValid = false;
    Q_EMIT slotHeaderStarted(slot);
    const bool ok = ReadMemoryBlock(m_memoryBase + mem::kSlotHeaders[slot], data.header.words.data(),
                                    mem::kSlotHeaderWords);
    // A header cut short by a time-out is shown as far as it came, but its count is not valid.
    data.countValid = ok;
    Q_EMIT slotHeaderRead(slot);
    return ok;
}

bool InstrumentLink::ReadSlotHeader(int slotType)
{
    if (slotType < 0 || slotType > 3 || MemoryBusy())
        return false;
    bool ok = true;
    for (int slot = 0; slot < 3; ++slot)
        if (slotSelected(slotType, slot) && ok)
            ok = readOneHeader(slot);
    return ok;
}

bool InstrumentLink::readOneSlot(int slot)
{
    if (!ReadSlotHeader(slot))
        return false;
    SlotData& data = m_slots[size_t(slot)];
    const int n = data.header.samplesToRead();
    data.samples.clear();
    if (n <= 0) {
        Q_EMIT slotSamplesRead(slot);
        return true;
    }
    std::vector<quint16> words(size_t(2 * n), 0);
    m_abort = false;
    m_frameUnsent = false;
    const int address = m_memoryBase + mem::kSlotSamples[slot];
    int read = 0;
    for (; read < 2 * n && !m_abort && !m_frameUnsent; ++read)
        words[size_t(read)] = ReadMemoryWord(address + 2 * read);
    const bool ok = !m_abort && !m_frameUnsent;
    // Keep the values that were read completely.
    const int complete = ok ? n : std::max(0, read - 1) / 2;
    data.samples.reserve(size_t(complete));
    for (int i = 0; i < complete; ++i)
        data.samples.push_back(wordsToFloat(words[size_t(2 * i)], words[size_t(2 * i + 1)]));
    Q_EMIT slotSamplesRead(slot);
    return ok;
}

bool InstrumentLink::ReadSlotSamples(int slotType)
{
    if (slotType < 0 || slotType > 3 || MemoryBusy())
        return false;
    bool ok = true;
    for (int slot = 0; slot < 3; ++slot)
        if (slotSelected(slotType, slot) && ok)
            ok = readOneSlot(slot);
    return ok;
}

} // namespace vela::link
