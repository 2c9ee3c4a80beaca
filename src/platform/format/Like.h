#pragma once

#include <QString>
#include <QStringView>

#include <memory>

namespace tessaro {

/// The Like operator: whether `text` matches `pattern`, where ? is any one character,
/// * any run of characters, # one digit 0-9, [list] one character of the list (ranges a-z
/// allowed) and [!list] one character not in it. Characters compare by code, as the UTF-16
/// units QString holds. Runs without backtracking, whatever the pattern (see matches()).
/// Throws Error 93 ("Invalid pattern string") for an unclosed bracket or a descending range.
bool Like(const QString& text, const QString& pattern);

/// A pattern read once and matched against many texts, with the rules of Like().
///
/// Inside brackets every character stands for itself except ']' (which closes the list), a
/// leading '!' (negation) and '-' between two characters (a range); a '-' first or last in the
/// list is itself. "[]" matches no character at all (it stands for the empty text) and "[!]"
/// matches any one character. With Qt::CaseInsensitive both sides are compared in upper case, a
/// character at a time (so "ß" stays one character).
class LikePattern {
public:
    /// Throws Error 93 as Like() does.
    explicit LikePattern(const QString& pattern, Qt::CaseSensitivity sensitivity = Qt::CaseSensitive);
    ~LikePattern();
    LikePattern(LikePattern&&) noexcept;
    LikePattern& operator=(LikePattern&&) noexcept;
    LikePattern(const LikePattern&) = delete;
    LikePattern& operator=(const LikePattern&) = delete;

    /// Whether the whole of `text` matches the whole pattern. The parts before the first and
    /// after the last star cost their length; each run between stars costs about the text's
    /// length times (1 + its length / 64), plus its length for each distinct character met.
    bool matches(QStringView text) const;

private:
    struct Compiled;
    std::unique_ptr<Compiled> m_compiled;
};

} // namespace tessaro
