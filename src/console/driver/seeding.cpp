// Seeding the generator of the null models.
#include "console/driver/seeding.h"

#include <ctime>

#include "console/system/console.h"

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

std::uint32_t seedOfFile(std::uint32_t seed, const std::string& fileName)
{
    std::uint32_t hash = 2166136261u;
    auto take = [&hash](unsigned char byte) {
        hash ^= byte;
        hash *= 16777619u;
    };
    for (int shift = 0; shift < 32; shift += 8)
        take(static_cast<unsigned char>(seed >> shift));
    for (char c : fileName)
        take(static_cast<unsigned char>(c));
    return hash;
}

void printFileSeed(const RunOptions& options, const RunState& state)
{
    if (options.scripted() && options.settings.nullModels)
        consolePrintf("Seed: %u\n", static_cast<unsigned>(state.generator.state()));
}
