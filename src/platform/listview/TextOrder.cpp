#include "platform/listview/TextOrder.h"

#include "platform/AsciiText.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <string>

namespace tessaro::listview {
namespace {

constexpr std::uint32_t kSameAsPrimary = 0xFFFFFFFFu;

// Primary keys (case and accents folded away) followed, when different, by secondary keys
// (case folded, accents kept).
struct KeyTable {
    std::string bytes;
    std::vector<std::size_t> start;
    std::vector<std::uint32_t> primaryLength;
    std::vector<std::uint32_t> secondaryLength;

    std::string_view primary(std::size_t i) const { return {bytes.data() + start[i], primaryLength[i]}; }
    std::string_view secondary(std::size_t i) const
    {
        if (secondaryLength[i] == kSameAsPrimary)
            return primary(i);
        return {bytes.data() + start[i] + primaryLength[i], secondaryLength[i]};
    }
};

// A key's 16 bytes after the prefix that all keys share, inline, so most comparisons never
// touch the key table; `length` tells whether those bytes hold the whole primary key.
struct Entry {
    std::uint64_t head0;
    std::uint64_t head1;
    std::uint32_t position;
    std::uint32_t length;
};

QString withoutMarks(const QString& text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString base;
    base.reserve(decomposed.size());
    for (QChar c : decomposed) {
        if (!c.isMark())
            base.append(c);
    }
    return base;
}

void appendKey(KeyTable& keys, std::string_view text)
{
    keys.start.push_back(keys.bytes.size());
    if (isAscii(text)) {
        for (char c : text)
            keys.bytes.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
        keys.primaryLength.push_back(static_cast<std::uint32_t>(text.size()));
        keys.secondaryLength.push_back(kSameAsPrimary);
        return;
    }
    const QString folded = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toCaseFolded();
    const QByteArray primary = withoutMarks(folded).toUtf8();
    const QByteArray secondary = folded.normalized(QString::NormalizationForm_C).toUtf8();
    keys.bytes.append(primary.constData(), static_cast<std::size_t>(primary.size()));
    keys.primaryLength.push_back(static_cast<std::uint32_t>(primary.size()));
    if (secondary == primary) {
        keys.secondaryLength.push_back(kSameAsPrimary);
        return;
    }
    keys.bytes.append(secondary.constData(), static_cast<std::size_t>(secondary.size()));
    keys.secondaryLength.push_back(static_cast<std::uint32_t>(secondary.size()));
}

// Big-endian, zero-padded: comparing heads as integers agrees with comparing the bytes.
std::uint64_t head(std::string_view key, std::size_t from)
{
    std::uint64_t value = 0;
    for (std::size_t i = from; i < from + 8; ++i)
        value = (value << 8) | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
    return value;
}

std::size_t commonPrefix(const KeyTable& keys, std::size_t count)
{
    if (count == 0)
        return 0;
    const std::string_view first = keys.primary(0);
    std::size_t common = first.size();
    for (std::size_t i = 1; i < count && common > 0; ++i) {
        const std::string_view key = keys.primary(i).substr(0, common);
        common = static_cast<std::size_t>(std::mismatch(key.begin(), key.end(), first.begin()).first - key.begin());
    }
    return common;
}

// The order of two entries' keys (<0, 0, >0); the first `covered` bytes of the primary keys are
// in the entries' heads.
int compareKeys(const KeyTable& keys, std::size_t covered, const Entry& a, const Entry& b)
{
    if (a.head0 != b.head0)
        return a.head0 < b.head0 ? -1 : 1;
    if (a.head1 != b.head1)
        return a.head1 < b.head1 ? -1 : 1;
    int primary = 0;
    if (a.length <= covered && b.length <= covered)
        primary = a.length == b.length ? 0 : (a.length < b.length ? -1 : 1);
    else
        primary = keys.primary(a.position).compare(keys.primary(b.position));
    if (primary != 0)
        return primary;
    if (keys.secondaryLength[a.position] == kSameAsPrimary && keys.secondaryLength[b.position] == kSameAsPrimary)
        return 0;
    return keys.secondary(a.position).compare(keys.secondary(b.position));
}

} // namespace

std::vector<std::uint32_t> stableTextOrder(std::size_t count, const TextAt& textAt, bool descending)
{
    KeyTable keys;
    // An ASCII text's key is as long as the text: the key bytes fit at once, no regrowth.
    std::size_t textBytes = 0;
    for (std::size_t i = 0; i < count; ++i)
        textBytes += textAt(i).size();
    keys.bytes.reserve(textBytes);
    keys.start.reserve(count);
    keys.primaryLength.reserve(count);
    keys.secondaryLength.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        appendKey(keys, textAt(i));
    const std::size_t skip = commonPrefix(keys, count);
    std::vector<Entry> entries(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view primary = keys.primary(i);
        entries[i] = Entry{head(primary, skip), head(primary, skip + 8), static_cast<std::uint32_t>(i),
                           static_cast<std::uint32_t>(primary.size())};
    }
    // Equal keys by position, so the order is stable.
    std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        const int order = compareKeys(keys, skip + 16, a, b);
        if (order != 0)
            return descending ? order > 0 : order < 0;
        return a.position < b.position;
    });
    std::vector<std::uint32_t> order(count);
    for (std::size_t i = 0; i < count; ++i)
        order[i] = entries[i].position;
    return order;
}

} // namespace tessaro::listview
