#pragma once
// What the tests of the windows that show the setup image share: loading
// the default setup, the image as one comparable text, and edits of it.

#include "setup/DefaultImage.h"
#include "setup/SetupImage.h"

#include <QString>
#include <QtTest>
#include <functional>

namespace emu {

// An edit of the image (a data row's setup, or what a showing may change).
using Edit = std::function<void()>;

inline void LoadDefault()
{
    setup::SetupA = setup::DefaultSetupAText;
    setup::SetupB = setup::DefaultSetupBText;
    setup::SetupChars = setup::DefaultSetupCharsText;
}

// The three strings in one text, so that a comparison shows all of them.
inline QString Image() { return setup::SetupA + '|' + setup::SetupB + '|' + setup::SetupChars; }

// Sets bits hi..lo of SetupB byte pos; the test fails when it cannot.
inline void Bits(int hi, int lo, int pos, int v) { QVERIFY(setup::SetSetupBits(hi, lo, pos, v)); }

// Input option board codes as the image stores them.
enum Board { NoBoard = 0, DualSC = 1, Quad = 2, VF = 4 };

} // namespace emu
