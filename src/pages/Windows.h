#pragma once
// Makes the windows of this folder known by name, so that the main menu can
// open them without including their headers. Called once by the main menu.

namespace pages {

void RegisterWindows();

// Shows setup page 1 filled afresh from the setup image (View > Setup).
void ShowSetupPage1();

} // namespace pages
