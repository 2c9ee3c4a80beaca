#pragma once

namespace tessaro {

class ListView;

/// Removes the selected items from the list, then refreshes it. Only the displayed rows go;
/// a removal that fails is counted as done and the next item is looked at. Failing steps are
/// skipped.
void RimuoviElementiSelezionati(ListView& lstv);

} // namespace tessaro
