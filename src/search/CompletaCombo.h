#pragma once

namespace tessaro {

class ComboBox;

/// Completes what the user types in `combo` from its own entries; returns the key code to pass
/// on (0: the key is used up). Backspace with the caret or selection at position 0 or 1 empties
/// the combo; any other key below 32 or above 127 is discarded. Otherwise the text the key would
/// leave (upper-cased when nothing is selected; what follows a selection is dropped) is looked up
/// as the beginning of an entry, ignoring case: the first such entry is chosen and its part
/// beyond the typed text is selected. A text that begins no entry discards the key when
/// `LimitToList` is true, else passes it on. Failures are passed on.
int CompletaCombo(ComboBox& combo, int KeyAscii, bool LimitToList);

} // namespace tessaro
