#pragma once

#include <memory>

namespace tessaro {

class Recordset;
class ListView;
class collColonne;
class LoadPacer;

/// Fills `lstv` from `rst`: one column per field after the first, captioned, sized and
/// formatted by `Columns` (descriptor k for field k), one item per row with field 0 as its Tag.
/// With PageSize > 0 it shows page AbsolutePage, first corrected into 1..PageCount and written
/// back; otherwise every row from the cursor on. A closed set only empties the list; an empty
/// one keeps the previous headers. A failure is reported in the critical message box with the
/// row being filled, and ends the fill with what was added so far.
///
/// With a `pacer`, a long fill yields to the event loop now and then, the rows read so far
/// shown; it ends early, keeping them, when the pacer says so. When the list is destroyed
/// during a yield the fill returns at once, touching nothing of it.
void RiempiListView(std::shared_ptr<Recordset>& rst, ListView& lstv, std::shared_ptr<collColonne>& Columns,
                    int& PageSize, int& AbsolutePage, LoadPacer* pacer = nullptr);

} // namespace tessaro
