#pragma once

// The control's texts by name. Each key is one entry of the language files, LE01 to LE61 in
// the order below; the numbers are the files' own and never change. A host's language file may
// have been written before the keys from LE30 on existed: those keys have a designed (Italian)
// text, which stands in where the file has none.

#include <QString>

#include <optional>

namespace tessaro {

enum class LanguageKey : int {
    ErrorTitle = 1,    // LE01
    WarningTitle,      // LE02
    NoConnection,      // LE03
    ColumnNotNumeric,  // LE04
    NoColumnChosen,    // LE05
    RecordsBefore,     // LE06: the words before a count of records
    RecordsAfter,      // LE07: and after it
    PagesBefore,       // LE08: the same around a count of pages
    PagesAfter,        // LE09
    GoToPageTip,       // LE10
    NoRecords,         // LE11
    OneRecord,         // LE12
    DivideIntoPages,   // LE13
    PagesCaption,      // LE14
    LoadAll,           // LE15
    AllRows,           // LE16
    SelectedRows,      // LE17
    SearchInCaption,   // LE18
    SearchCaption,     // LE19
    TotalsOfColumn,    // LE20
    OverAllRows,       // LE21
    BlankCellsSkipped, // LE22
    ValueCount,        // LE23
    Average,           // LE24
    Minimum,           // LE25
    Maximum,           // LE26
    OverSelectedRows,  // LE27
    TotalsTitle,       // LE28
    CountOf,           // LE29: the word between a part of the records and all of them ("of")
    ExportTip,         // LE30: the tooltip of the picture button that exports the list
    ExportNotOpened,   // LE31: before the path of a workbook no program could open
    CopyCommand,       // LE32: the list's context menu command that copies the selected rows
    ShowPanelTip,      // LE33: the tooltips of the switches that show and hide the header panel
    HidePanelTip,      // LE34
    FirstPageTip,      // LE35: the tooltips of the page bar's arrows
    PreviousPagesTip,  // LE36
    NextPagesTip,      // LE37
    LastPageTip,       // LE38
    LoadAllTip,        // LE39: the tooltips of the switches between all rows and pages
    PagedTip,          // LE40
    CountingRecords,   // LE41: the record counter while the records are being counted
    AboutRecords,      // LE42: the word before the database's estimate of the records ("about")
    UndoCommand,       // LE43: the commands of the text fields' context menu (Copy is LE32)
    RedoCommand,       // LE44
    CutCommand,        // LE45
    PasteCommand,      // LE46
    DeleteCommand,     // LE47
    SelectAllCommand,  // LE48
    ScrollHereCommand, // LE49: the commands of the list's scroll bars' context menu
    LeftEdgeCommand,   // LE50
    RightEdgeCommand,  // LE51
    PageLeftCommand,   // LE52
    PageRightCommand,  // LE53
    ScrollLeftCommand, // LE54
    ScrollRightCommand, // LE55
    TopCommand,        // LE56
    BottomCommand,     // LE57
    PageUpCommand,     // LE58
    PageDownCommand,   // LE59
    ScrollUpCommand,   // LE60
    ScrollDownCommand, // LE61
    // The last key above, which ends the loops over all keys: a new key comes before this line.
    LastKey = ScrollDownCommand,
};

/// The key's name in the language files: "LE01" for ErrorTitle, "LE28" for TotalsTitle.
QString languageKeyName(LanguageKey key);
/// GetLanguageString of the key; where that is "" (the file lacks the key, or anything on the way
/// is missing or fails), the key's designed text: "" for the keys before ExportTip.
QString languageText(LanguageKey key) noexcept;
/// The designed (Italian) text of a key from ExportTip on; "" for the others.
QString designedText(LanguageKey key);

// Counts are told in one way everywhere; a missing text leaves its blank around the number.
/// "<RecordsBefore> n <RecordsAfter>".
QString recordsText(int records);
/// NoRecords for 0, OneRecord for 1, else recordsText(records).
QString recordCountText(int records);
/// "<RecordsBefore> part <CountOf> whole <RecordsAfter>": the rows of a long load read so far,
/// or kept when it was stopped.
QString recordsOfText(int part, int whole);
/// "<PagesBefore> n <PagesAfter>".
QString pagesText(int pages);
/// The counter while the records are being counted: "<CountingRecords>...", or with the
/// database's estimate "<CountingRecords>: <AboutRecords> n <RecordsAfter>".
QString countingText(std::optional<qint64> estimate);

} // namespace tessaro
