// Seeding the generator of the null models.
#include "console/driver/seeding.h"

#include <ctime>

#include "console/system/console.h"
#include "formats/input/batch_files.h"

std::uint32_t seedOfRun(const RunOptions& options)
{
    return options.seed() ? *options.seed() : static_cast<std::uint32_t>(std::time(nullptr));
}

void seedGenerator(const RunOptions& options, RunState& state)
{
    state.generatorSeed = seedOfRun(options);
    state.generator = bravolin::Generator(state.generatorSeed);
}

void seedFileGenerator(const RunOptions& options, RunState& state, const std::string& fileName)
{
    if (options.commandLine().seedPerFile)
        state.generator = bravolin::Generator(seedOfFile(state.generatorSeed, fileName));
}

void printFileSeed(const RunOptions& options, const RunState& state)
{
    if (options.scripted() && options.settings.nullModels)
        consolePrintf("Seed: %u\n", static_cast<unsigned>(state.generator.state()));
}
