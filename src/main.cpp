// BRAVOLIN: nestedness of presence/absence matrices, from the console or
// from a command line.
#include "driver/main_loop.h"

int main(int argc, char* argv[])
{
    return runProgram(argc, argv);
}
