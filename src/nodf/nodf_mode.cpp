// Mode N driver. The NODF analysis is not available yet: choosing mode N
// ends the program.
#include "nodf/nodf_mode.h"

void runNodfMode()
{
}
