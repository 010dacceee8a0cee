// The effects' state put back as the program starts with it: zero, as
// every effect's state is then, and no picture held. The loading screen's
// and the view inset's state are set up on their first call and kept
// nowhere else.
#include "core/FrameTimer.h"
#include "effects/BackdropShrink.h"
#include "effects/CorridorDoors.h"
#include "effects/Effects.h"
#include "effects/FadeToBlack.h"
#include "effects/Greetings.h"
#include "effects/LightBlobs.h"
#include "effects/PlasmaDoors.h"
#include "effects/RasterBars.h"
#include "effects/SnowWords.h"
#include "effects/SwitchOff.h"
#include "effects/VoidDoors.h"
#include "effects/ZoomWords.h"
#include "image/Image.h"

void ResetEffects()
{
    for (ZoomWordsState& Word : ZoomWordsVars) {
        FreeImage(Word.Backdrop);
        Word = {};
    }
    FreeImage(CorridorDoorsVars.Backdrop);
    CorridorDoorsVars = {};
    FreeImage(VoidDoorsVars.Backdrop);
    VoidDoorsVars = {};
    PlasmaDoorsVars = {};
    SnowWordsVars = {};
    LightBlobsVars = {};
    FadeToBlackVars = {};
    RasterBarsVars = {};
    GreetingsVars = {};
    SwitchOffVars = {};
}
