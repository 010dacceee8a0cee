#include "core/CosTable.h"

#include <cmath>

#include "core/Numbers.h"

int32_t CosTable[256];

namespace {

// Pi to nine decimals, as the table has always been built. M_PI gives the
// same 256 entries today, but the angle is a double step of its own and
// must stay the one that was written, for results that match bit for bit.
constexpr double TablePi = 3.141592654;

}  // namespace

void BuildCosTable()
{
    for (int i = 0; i < 256; ++i) {
        double Angle = (i * TablePi) * 0.0078125;
        CosTable[i] = TruncToInt32(std::cos(Angle) * 255);
    }
}
