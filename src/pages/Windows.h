#pragma once
// Makes the windows of this folder known by name, so that the main menu can
// open them without including their headers. Called once by the main menu.

namespace pages {

void RegisterWindows();

// Shows setup page 1 filled afresh from the setup image (View > Setup).
void ShowSetupPage1();

// Shows setup page 2 filled afresh from the setup image (page 1's Next,
// page 3's Previous).
void ShowSetupPage2();

// Shows setup page 3 filled afresh from the setup image (page 2's Next).
void ShowSetupPage3();

} // namespace pages
