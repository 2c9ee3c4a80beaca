#pragma once

// The control's trapped-error reports: the trapping helpers of platform/Failure.h with the
// error box titled in the current language.

#include "language/LanguageKeys.h"
#include "platform/Failure.h"

namespace tessaro {

/// The error box's title in the current language; "" when the language file lacks it.
inline QString errorBoxTitle()
{
    return languageText(LanguageKey::ErrorTitle);
}

/// trapAndReport(form, operation, [detail,] body): Failure.h's, titled errorBoxTitle().
template <class... DetailAndBody>
bool trapAndReport(ReportForm form, const QString& operation, DetailAndBody&&... args) noexcept
{
    return trapAndReport(errorBoxTitle, form, operation, std::forward<DetailAndBody>(args)...);
}

} // namespace tessaro
