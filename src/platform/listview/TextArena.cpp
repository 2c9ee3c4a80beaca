#include "platform/listview/TextArena.h"

#include "platform/Failure.h"

#include <QStringEncoder>

#include <cstring>

namespace tessaro::listview {
namespace {

// Texts start on 4-byte units, so a 32-bit reference reaches 16 GiB.
constexpr std::size_t kUnitBytes = 4;
constexpr unsigned kSlotShift = 20;
constexpr std::size_t kSlotUnits = std::size_t(1) << kSlotShift;
constexpr std::size_t kSlotMask = kSlotUnits - 1;

std::size_t varintSize(std::size_t value)
{
    std::size_t size = 1;
    while (value >= 0x80) {
        value >>= 7;
        ++size;
    }
    return size;
}

char* writeVarint(char* out, std::size_t value)
{
    while (value >= 0x80) {
        *out++ = static_cast<char>((value & 0x7F) | 0x80);
        value >>= 7;
    }
    *out++ = static_cast<char>(value);
    return out;
}

const char* readVarint(const char* in, std::size_t& value)
{
    value = 0;
    unsigned shift = 0;
    unsigned char byte = 0;
    do {
        byte = static_cast<unsigned char>(*in++);
        value |= std::size_t(byte & 0x7F) << shift;
        shift += 7;
    } while (byte & 0x80);
    return in;
}

std::size_t unitsFor(std::size_t length)
{
    return (varintSize(length) + length + kUnitBytes - 1) / kUnitBytes;
}

} // namespace

std::string_view TextArena::encode(QStringView text)
{
    QStringEncoder encoder(QStringEncoder::Utf8);
    m_scratch.resize(static_cast<std::size_t>(encoder.requiredSpace(text.size())));
    char* end = encoder.appendToBuffer(m_scratch.data(), text);
    m_scratch.resize(static_cast<std::size_t>(end - m_scratch.data()));
    return m_scratch;
}

// Memory comes in runs of whole slotCount; a text never straddles two runs, and a text longer than
// a slot gets a run of its own, so every text is contiguous behind its slot's base pointer.
char* TextArena::reserve(std::size_t units, Ref& ref)
{
    if (m_nextUnit + units > m_slotEndUnit) {
        const bool first = m_slotBase.empty();
        const std::size_t needed = units + (first ? 1 : 0); // unit 0 stands for Empty
        const std::size_t slotCount = (needed + kSlotUnits - 1) / kSlotUnits;
        const std::size_t firstSlot = m_slotBase.size();
        if ((firstSlot + slotCount) * kSlotUnits > FirstMarker)
            raiseError(Error::OutOfMemory);
        m_blocks.emplace_back(new char[slotCount * kSlotUnits * kUnitBytes]);
        for (std::size_t s = 0; s < slotCount; ++s)
            m_slotBase.push_back(m_blocks.back().get() + s * kSlotUnits * kUnitBytes);
        m_nextUnit = firstSlot * kSlotUnits + (first ? 1 : 0);
        m_slotEndUnit = (firstSlot + slotCount) * kSlotUnits;
    }
    ref = static_cast<Ref>(m_nextUnit);
    m_nextUnit += units;
    m_bytesStored += units * kUnitBytes;
    return m_slotBase[ref >> kSlotShift] + (ref & kSlotMask) * kUnitBytes;
}

TextArena::Ref TextArena::add(std::string_view bytes)
{
    if (bytes.empty())
        return Empty;
    Ref ref = Empty;
    char* out = reserve(unitsFor(bytes.size()), ref);
    out = writeVarint(out, bytes.size());
    std::memcpy(out, bytes.data(), bytes.size());
    return ref;
}

std::string_view TextArena::utf8(Ref ref) const
{
    if (ref == Empty || ref >= FirstMarker)
        return {};
    const char* at = m_slotBase[ref >> kSlotShift] + (ref & kSlotMask) * kUnitBytes;
    std::size_t length = 0;
    const char* bytes = readVarint(at, length);
    return {bytes, length};
}

QString TextArena::text(Ref ref) const
{
    return QString::fromUtf8(utf8(ref));
}

std::size_t TextArena::storedSize(Ref ref) const
{
    return unitsFor(utf8(ref).size()) * kUnitBytes;
}

void TextArena::release(Ref ref)
{
    if (ref != Empty && ref < FirstMarker)
        m_bytesReleased += storedSize(ref);
}

bool TextArena::wantsCompaction() const
{
    constexpr std::size_t kWorthwhile = std::size_t(32) << 20;
    return m_bytesReleased > kWorthwhile && m_bytesReleased * 2 > m_bytesStored;
}

TextArena::Ref TextArena::copyFrom(const TextArena& from, Ref ref)
{
    if (ref == Empty || ref >= FirstMarker)
        return ref;
    return add(from.utf8(ref));
}

} // namespace tessaro::listview
