// The reset of every subsystem's state.
#include "driver/program_state.h"

#include "common/output_file.h"
#include "common/random.h"
#include "common/shared_state.h"

void resetProgramState()
{
    resetSharedState();
    seedRandom(1);
    resetOutputFiles();
}
