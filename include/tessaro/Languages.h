#pragma once

// The language files that ship with the library, ready to hand to Tessaro::CambiaLingua.
//
//     list->CambiaLingua(tessaro::languageFolder(QStringLiteral("English")));
//
// Nothing here is loaded unless the host asks: a control whose host never calls CambiaLingua
// behaves as if these files did not exist.

#include <tessaro/tessaro_export.h>

#include <QString>
#include <QStringList>

namespace tessaro {

/// The languages whose files ship with the library, by the names languageFolder() takes:
/// "Italian" (the texts the control was designed with), "English", "German", "French" and
/// "Spanish", in this order.
TESSARO_EXPORT QStringList shippedLanguages();

/// A folder for CambiaLingua that shows the control's texts in `language`, one of
/// shippedLanguages() spelt exactly so. The folder holds LangSetting.ini (section `[Language]`,
/// `CurrentLanguage=<language>`) and `<language>.lng` (section [Strings], keys LE01 to LE61, values
/// in double quotes, UTF-8 text with CR LF line ends).
///
/// The installed copy comes first: `<prefix>/share/tessaro/languages/<language>`, found from where
/// the library itself was loaded (its folder being `<prefix>/lib` or `<prefix>/lib/<multiarch>`), so
/// an install that is moved as a whole still finds its own files. Where that folder is missing
/// (a build tree, or an install without share/), the copy compiled into the library is written
/// once into the user's cache folder (typically
/// `~/.cache/tessaro/languages/<content key>/<language>`) and that folder is returned; it appears whole or not at all, also to several
/// processes extracting at once, and is written again when its files no longer match the
/// library's.
///
/// Returns an empty string for any other name, or when neither folder can be had (the cache
/// folder cannot be written). Never throws. Safe to call from any thread.
///
/// The returned folder belongs to the library: do not edit it. To change a text or add a
/// language of its own, a host copies the folder, edits or adds `<Name>.lng` beside it (keys LE01
/// to LE40) and sets `CurrentLanguage=<Name>` in the copy's LangSetting.ini, then hands the copy
/// to CambiaLingua.
TESSARO_EXPORT QString languageFolder(const QString& language);

} // namespace tessaro
