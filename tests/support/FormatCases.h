#pragma once

// Table-driven checks of Format under a chosen default locale.

#include <QLocale>
#include <QString>
#include <QVariant>
#include <vector>

namespace tessaro::test {

/// Switches the default locale for one scope and restores it afterwards.
class LocaleScope {
public:
    explicit LocaleScope(const char* name) { QLocale::setDefault(QLocale(QString::fromLatin1(name))); }
    ~LocaleScope() { QLocale::setDefault(m_saved); }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;

private:
    QLocale m_saved;
};

/// Format(value, expression) in `locale` gives `expected`.
struct FormatCase {
    const char* locale;
    QVariant value;
    const char* expression;
    QString expected;
};

/// Checks every case, naming the failing one's locale, value, type and expression.
void expectFormats(const std::vector<FormatCase>& cases);

} // namespace tessaro::test
