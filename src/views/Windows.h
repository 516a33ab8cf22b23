#pragma once
// Makes the windows of this folder known by name, so that the main menu can
// open them without including their headers. Called once by the main menu.

namespace views {

void RegisterWindows();

} // namespace views
