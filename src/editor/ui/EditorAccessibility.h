#pragma once

// What a screen reader finds in the main window's own widgets beyond their
// names: the map as a surface with the cursor's cell as its focused child,
// and each palette as a list of its kinds. Installed once, before the first
// of those widgets is asked for.
void installEditorAccessibility();
