// Included from below: the check must refuse it.
