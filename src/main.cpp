// BRAVOLIN: nestedness of presence/absence matrices, from the console.
#include "driver/main_loop.h"

int main()
{
    return runProgram();
}
