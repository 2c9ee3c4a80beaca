#pragma once

// The control's trapped-error reports: the trapping helpers of platform/Failure.h with the
// error box titled in the current language.

#include "language/LanguageKeys.h"
#include "platform/Failure.h"

namespace tessaro {

/// trapAndReport(form, operation, [detail,] body): Failure.h's, the error box titled with the
/// current language's ErrorTitle ("" when the language file lacks it).
template <class... DetailAndBody>
bool trapAndReport(ReportForm form, const QString& operation, DetailAndBody&&... args) noexcept
{
    const auto title = [] { return languageText(LanguageKey::ErrorTitle); };
    return trapAndReport(title, form, operation, std::forward<DetailAndBody>(args)...);
}

} // namespace tessaro
