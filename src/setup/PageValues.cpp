#include "setup/PageValues.h"

#include "setup/FieldMap.h"
#include "setup/ModeModel.h"
#include "setup/SetupImage.h"

namespace setup {

int RelayOption = 0;
int AnalogOption = 0;
int CommOption = 0;
int DisplayType = 0;
int StopwatchTimeFormat = 0;
int DecPt1 = 0;
int DecPt2 = 0;

void DeriveSharedValues()
{
    ReadInputOption();
    ExtendedMode = GetSetupBits(3, 2, 49) != 0 ? 1 : 0;
    ModeCode = GetSetupBits(7, 4, 63);
    FunctionCode = GetSetupBits(3, 0, 63);
    NormaliseModeFunction();
    RelayOption = GetSetupBits(6, 6, 57);
    CommOption = GetSetupBits(4, 3, 57);
    AnalogOption = GetSetupBits(5, 5, 57);
    DisplayType = GetSetupBits(7, 4, 49);
    StopwatchTimeFormat = StopwatchTimeFormatOf(ModeCode, DisplayType);
    DecPt1 = GetSetupBits(2, 0, 15);
    DecPt2 = GetSetupBits(6, 4, 15);
}

int StopwatchTimeFormatOf(int mode, int displayType)
{
    return mode == 5 && (displayType == 4 || displayType == 5) ? displayType : 0;
}

bool Rd0InEnabled()
{
    const bool squareRoot = GetSetupBits(1, 1, 49) == 1;
    const bool curve = GetSetupBits(3, 3, 49) == 1;
    return InputOption == 2 && FunctionCode != 2 && (squareRoot || curve);
}

} // namespace setup
