#pragma once

namespace tessaro {

class ListView;

/// Removes the selected items from the list, all at once, then refreshes it. Only the displayed
/// rows go; the database is not touched. Failing steps are skipped.
void RimuoviElementiSelezionati(ListView& lstv);

} // namespace tessaro
