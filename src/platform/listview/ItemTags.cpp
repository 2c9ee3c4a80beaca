#include "platform/listview/ItemTags.h"

#include <QMetaType>

namespace tessaro::listview {
namespace {

enum Kind : ItemTagTable::Code {
    KindInvalid = 0,
    KindNullOfType = 1, // payload: the meta type id
    KindInt = 2,        // payload: the 32-bit value
    KindLongLong = 3,   // payload: a 60-bit signed value
    KindString = 4,     // payload: arena reference
    KindSide = 5,       // payload: index into the side table
};

constexpr unsigned kKindShift = 60;
constexpr ItemTagTable::Code kPayloadMask = (ItemTagTable::Code(1) << kKindShift) - 1;
constexpr qint64 kLongLongLimit = qint64(1) << (kKindShift - 1);

ItemTagTable::Code make(Kind kind, ItemTagTable::Code payload)
{
    return (ItemTagTable::Code(kind) << kKindShift) | (payload & kPayloadMask);
}

Kind kindOf(ItemTagTable::Code code)
{
    return static_cast<Kind>(code >> kKindShift);
}

ItemTagTable::Code payloadOf(ItemTagTable::Code code)
{
    return code & kPayloadMask;
}

qint64 signExtended(ItemTagTable::Code payload)
{
    const qint64 value = static_cast<qint64>(payload);
    return value >= kLongLongLimit ? value - 2 * kLongLongLimit : value;
}

} // namespace

ItemTagTable::Code ItemTagTable::encode(const QVariant& value, TextArena& arena)
{
    if (!value.isValid())
        return Invalid;
    const int type = value.metaType().id();
    if (value.isNull())
        return make(KindNullOfType, static_cast<Code>(type));
    // Read in place: a key's Tag is encoded once per row of a fill.
    if (type == QMetaType::Int)
        return make(KindInt, static_cast<quint32>(*static_cast<const int*>(value.constData())));
    if (type == QMetaType::LongLong) {
        const qint64 number = *static_cast<const qlonglong*>(value.constData());
        if (number >= -kLongLongLimit && number < kLongLongLimit)
            return make(KindLongLong, static_cast<Code>(number));
    }
    if (type == QMetaType::QString)
        return make(KindString, arena.add(value.toString()));
    std::uint32_t slot = 0;
    if (m_freeSide.empty()) {
        slot = static_cast<std::uint32_t>(m_side.size());
        m_side.push_back(value);
    } else {
        slot = m_freeSide.back();
        m_freeSide.pop_back();
        m_side[slot] = value;
    }
    return make(KindSide, slot);
}

QVariant ItemTagTable::decode(Code code, const TextArena& arena) const
{
    const Code payload = payloadOf(code);
    switch (kindOf(code)) {
    case KindNullOfType: return QVariant(QMetaType(static_cast<int>(payload)));
    case KindInt: return QVariant(static_cast<int>(static_cast<quint32>(payload)));
    case KindLongLong: return QVariant(signExtended(payload));
    case KindString: return QVariant(arena.text(static_cast<TextArena::Ref>(payload)));
    case KindSide: return m_side[payload];
    default: return QVariant();
    }
}

void ItemTagTable::release(Code code, TextArena& arena)
{
    if (kindOf(code) == KindString) {
        arena.release(static_cast<TextArena::Ref>(payloadOf(code)));
    } else if (kindOf(code) == KindSide) {
        m_side[payloadOf(code)] = QVariant();
        m_freeSide.push_back(static_cast<std::uint32_t>(payloadOf(code)));
    }
}

ItemTagTable::Code ItemTagTable::relocate(Code code, const TextArena& from, TextArena& to) const
{
    if (kindOf(code) != KindString)
        return code;
    return make(KindString, to.copyFrom(from, static_cast<TextArena::Ref>(payloadOf(code))));
}

void ItemTagTable::clear()
{
    m_side = std::vector<QVariant>();
    m_freeSide = std::vector<std::uint32_t>();
}

} // namespace tessaro::listview
