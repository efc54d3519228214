# Filled in by the Qt back end.
