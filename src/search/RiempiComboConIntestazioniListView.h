#pragma once

namespace tessaro {

class ListView;
class ComboBox;

/// Replaces the combo's entries with the list's column captions, in column order. A failure is
/// reported in the critical message box; captions not yet added stay out.
void RiempiComboConIntestazioniListView(ListView& lstv, ComboBox& combo);

} // namespace tessaro
