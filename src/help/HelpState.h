#pragma once
// Program-wide help state: the topic F1 shows, and whether the menu view
// (whose grid the help window's OK resets) is loaded.

namespace help {

extern int HelpTopic;     // the help topic that F1 shows
extern int CtrMenuLoaded; // 1 while the menu view is loaded

} // namespace help
