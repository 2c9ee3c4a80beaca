#include "platform/listview/TextArena.h"

#include "platform/Failure.h"

#include <QStringEncoder>
#include <QtEndian>
#include <QtAlgorithms>

#include <algorithm>
#include <cstring>

namespace tessaro::listview {
namespace {

// Texts start on 2-byte units, so a 32-bit reference reaches 8 GiB.
constexpr std::size_t kUnitBytes = 2;
constexpr unsigned kSlotShift = 20;
constexpr std::size_t kSlotUnits = std::size_t(1) << kSlotShift;
constexpr std::size_t kSlotMask = kSlotUnits - 1;
// Counting the blanks costs a byte or two of the record, so only longer runs are taken out.
constexpr std::size_t kFewestBlanksTaken = 4;
constexpr char kBlank = ' ';
// A record's head is varint(kept length * kKinds + its kind); a kept length from here up takes
// more than one byte of it.
enum Kind : std::size_t { Plain, BlanksTaken, Packed, kKinds = 4 };
constexpr std::size_t kShortestTwoByteLength = 0x80 / kKinds;

// Numbers, dates and times, the texts a database list holds most, are written in sixteen
// characters: two to a byte. A shorter text would gain nothing from its 2-byte units.
constexpr std::size_t kShortestPacked = 4;
constexpr char kPackedAlphabet[] = "0123456789-.,/: ";
constexpr unsigned kNibbleBits = 4;
constexpr unsigned char kNotPacked = 0xFF;
constexpr unsigned kLowNibble = 0x0F;

struct PackedCodes {
    unsigned char code[256];
    constexpr PackedCodes() : code()
    {
        for (unsigned char& c : code)
            c = kNotPacked;
        for (unsigned char i = 0; kPackedAlphabet[i] != '\0'; ++i)
            code[static_cast<unsigned char>(kPackedAlphabet[i])] = i;
    }
};
constexpr PackedCodes kPackedCodes;

std::size_t packedSize(std::size_t length)
{
    return (length + 1) / 2;
}

// Writes the codes of `bytes` two to a byte; false, with `out` half written, when a character is
// not in the alphabet. Branch-free: every code is written, and their union tells at the end.
bool pack(std::string_view bytes, unsigned char* out)
{
    const auto code = [&](std::size_t i) { return unsigned(kPackedCodes.code[static_cast<unsigned char>(bytes[i])]); };
    unsigned seen = 0;
    const std::size_t pairs = bytes.size() / 2;
    for (std::size_t i = 0; i < pairs; ++i) {
        const unsigned high = code(2 * i), low = code(2 * i + 1);
        seen |= high | low;
        out[i] = static_cast<unsigned char>((high << kNibbleBits) | (low & kLowNibble));
    }
    if (bytes.size() % 2 != 0) {
        const unsigned high = code(bytes.size() - 1);
        seen |= high;
        out[pairs] = static_cast<unsigned char>(high << kNibbleBits);
    }
    return seen != kNotPacked && (seen & ~kLowNibble) == 0;
}

void unpack(const char* packed, std::size_t length, char* out)
{
    for (std::size_t i = 0; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(packed[i / 2]);
        out[i] = kPackedAlphabet[i % 2 == 0 ? byte >> kNibbleBits : byte & kLowNibble];
    }
}

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

// The blanks at the end of a text that does not consist of blanks alone; a char(n) column's
// padding is long, so it is measured eight bytes at a time.
std::size_t trailingBlanks(std::string_view bytes)
{
    constexpr std::uint64_t kEightBlanks = 0x2020202020202020u;
    constexpr unsigned kByteBits = 8;
    std::size_t end = bytes.size();
    while (end >= sizeof kEightBlanks) {
        // Read so that the text's last byte is the word's highest: the blanks that end the word
        // are then its leading zero bytes once the blanks are cancelled out.
        const std::uint64_t differs = qFromLittleEndian<quint64>(bytes.data() + end - sizeof kEightBlanks) ^ kEightBlanks;
        if (differs != 0)
            return bytes.size() - end + std::size_t(qCountLeadingZeroBits(differs) / kByteBits);
        end -= sizeof kEightBlanks;
    }
    while (end > 0 && bytes[end - 1] == kBlank)
        --end;
    return bytes.size() - end;
}

std::size_t unitsFor(std::size_t bytes)
{
    return (bytes + kUnitBytes - 1) / kUnitBytes;
}

} // namespace

// A record is varint(kept length * kKinds + kind), then, when blanks were taken, varints of the
// leading and the trailing blanks, then the kept bytes (or, packed, their codes two to a byte).
struct TextArena::Record {
    const char* kept = nullptr;
    std::size_t length = 0;
    std::size_t leading = 0;
    std::size_t trailing = 0;
    std::size_t headerBytes = 0;
    bool packed = false;

    std::size_t size() const { return leading + length + trailing; }
    std::size_t storedBytes() const { return headerBytes + (packed ? packedSize(length) : length); }
};

TextArena::Record TextArena::record(Ref ref) const
{
    Record r;
    if (ref == Empty || ref >= FirstMarker)
        return r;
    const char* at = m_slotBase[ref >> kSlotShift] + (ref & kSlotMask) * kUnitBytes;
    std::size_t head = 0;
    const char* in = readVarint(at, head);
    r.length = head / kKinds;
    const std::size_t kind = head % kKinds;
    if (kind == BlanksTaken) {
        in = readVarint(in, r.leading);
        in = readVarint(in, r.trailing);
    }
    r.packed = kind == Packed;
    r.kept = in;
    r.headerBytes = static_cast<std::size_t>(in - at);
    return r;
}

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
void TextArena::startRun(std::size_t units)
{
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

inline char* TextArena::reserve(std::size_t units, Ref& ref)
{
    if (m_nextUnit + units > m_slotEndUnit)
        startRun(units);
    ref = static_cast<Ref>(m_nextUnit);
    m_nextUnit += units;
    m_bytesStored += units * kUnitBytes;
    return m_slotBase[ref >> kSlotShift] + (ref & kSlotMask) * kUnitBytes;
}

TextArena::Ref TextArena::add(std::string_view bytes)
{
    if (bytes.empty())
        return Empty;
    // Most texts are short and not padded: their record is one byte of length, then the bytes.
    if (bytes.size() < kShortestTwoByteLength && bytes.front() != kBlank && bytes.back() != kBlank) {
        Ref ref = Empty;
        unsigned char packed[kShortestTwoByteLength / 2];
        if (bytes.size() >= kShortestPacked && pack(bytes, packed)) {
            char* out = reserve(unitsFor(1 + packedSize(bytes.size())), ref);
            *out = static_cast<char>(bytes.size() * kKinds + Packed);
            std::memcpy(out + 1, packed, packedSize(bytes.size()));
            return ref;
        }
        char* out = reserve(unitsFor(1 + bytes.size()), ref);
        *out = static_cast<char>(bytes.size() * kKinds + Plain);
        std::memcpy(out + 1, bytes.data(), bytes.size());
        return ref;
    }
    const std::size_t leading = bytes.front() == kBlank ? std::min(bytes.find_first_not_of(kBlank), bytes.size()) : 0;
    const std::size_t trailing = leading < bytes.size() && bytes.back() == kBlank ? trailingBlanks(bytes) : 0;
    const bool take = leading + trailing >= kFewestBlanksTaken;
    const std::string_view kept = take ? bytes.substr(leading, bytes.size() - leading - trailing) : bytes;
    const std::size_t head = kept.size() * kKinds + (take ? BlanksTaken : Plain);
    const std::size_t headerBytes = varintSize(head) + (take ? varintSize(leading) + varintSize(trailing) : 0);
    Ref ref = Empty;
    char* out = reserve(unitsFor(headerBytes + kept.size()), ref);
    out = writeVarint(out, head);
    if (take) {
        out = writeVarint(out, leading);
        out = writeVarint(out, trailing);
    }
    std::memcpy(out, kept.data(), kept.size());
    return ref;
}

std::string_view TextArena::utf8(Ref ref) const
{
    const Record r = record(ref);
    if (r.packed) {
        m_rebuilt.resize(r.length);
        unpack(r.kept, r.length, m_rebuilt.data());
        return m_rebuilt;
    }
    if (r.leading == 0 && r.trailing == 0)
        return {r.kept, r.length};
    m_rebuilt.assign(r.leading, kBlank);
    m_rebuilt.append(r.kept, r.length);
    m_rebuilt.append(r.trailing, kBlank);
    return m_rebuilt;
}

QString TextArena::text(Ref ref) const
{
    return QString::fromUtf8(utf8(ref));
}

bool TextArena::equals(Ref ref, std::string_view bytes) const
{
    const Record r = record(ref);
    if (r.size() != bytes.size())
        return false;
    if (r.packed) {
        unsigned char packed[kShortestTwoByteLength / 2];
        return pack(bytes, packed) && std::memcmp(packed, r.kept, packedSize(r.length)) == 0;
    }
    // Texts of one column that differ mostly differ at their end (numbers, dates, names).
    if (r.leading == 0 && r.trailing == 0)
        return r.length == 0 || (r.kept[r.length - 1] == bytes.back() && std::memcmp(r.kept, bytes.data(), r.length) == 0);
    const auto blanks = [](std::string_view part) { return part.find_first_not_of(kBlank) == std::string_view::npos; };
    return blanks(bytes.substr(0, r.leading)) && bytes.substr(r.leading, r.length) == std::string_view(r.kept, r.length)
           && blanks(bytes.substr(r.leading + r.length));
}

void TextArena::release(Ref ref)
{
    const Record r = record(ref);
    m_bytesReleased += unitsFor(r.storedBytes()) * kUnitBytes;
}

bool TextArena::wantsCompaction() const
{
    constexpr std::size_t kWorthwhile = std::size_t(32) << 20;
    return m_bytesReleased > kWorthwhile && m_bytesReleased * 2 > m_bytesStored;
}

// The record is copied as it stands, its blanks still counted rather than written.
TextArena::Ref TextArena::copyFrom(const TextArena& from, Ref ref)
{
    if (ref == Empty || ref >= FirstMarker)
        return ref;
    const Record r = from.record(ref);
    const std::size_t units = unitsFor(r.storedBytes());
    Ref copy = Empty;
    std::memcpy(reserve(units, copy), r.kept - r.headerBytes, units * kUnitBytes);
    return copy;
}

} // namespace tessaro::listview
