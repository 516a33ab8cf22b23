#pragma once
// The file chooser is a platform service (the readings windows save their
// pictures with it too); the main menu keeps using it under its own names.

#include "platform/FileDialog.h"

namespace mainmenu {

using platform::FileDialog;
using platform::FileDialogAnswerer;
using platform::FileDialogRequest;
using platform::QtFilterFrom;
using platform::SetFileDialogAnswerer;

} // namespace mainmenu
