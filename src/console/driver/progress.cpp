// The progress lines.
#include "console/driver/progress.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "console/system/console.h"
#include "console/system/platform.h"

void Spinner::show(int count)
{
    static const char spinner[] = "|/-\\";
    if (style_.progress != ProgressLines::Classic) {
        turns_ += count;
        return;
    }
    char prefix[16];
    const int prefixLength = std::snprintf(prefix, sizeof prefix, "%04d - ", simulation_);
    std::string lines;
    lines.reserve(static_cast<std::size_t>(count) * (static_cast<std::size_t>(prefixLength) + 2));
    for (int line = 0; line < count; line++) {
        turns_++;
        lines.append(prefix, static_cast<std::size_t>(prefixLength));
        lines += spinner[turns_ % 4];
        lines += '\r';
    }
    writeConsole(lines.data(), lines.size());
}

void NodfProgress::show(int simulation)
{
    // The remaining time shown is an estimate for 1000 simulations,
    // whatever the number asked for.
    constexpr int kEstimatedRuns = 1000;
    const int seconds = currentSecondsField();
    if (simulation == 1)
        previousSeconds_ = seconds;
    const int lastRun = seconds >= previousSeconds_ ? seconds - previousSeconds_ : seconds + 60 - previousSeconds_;
    elapsedSeconds_ += lastRun;
    previousSeconds_ = seconds;
    if (style_.progress != ProgressLines::Classic)
        return;
    const int runsLeft = kEstimatedRuns - simulation;
    const int elapsedHours = elapsedSeconds_ / 3600, elapsedMinutes = elapsedSeconds_ % 3600 / 60,
              elapsedRest = elapsedSeconds_ % 3600 % 60;
    if (lastRun == 0) {
        const int rest = runsLeft % 1800;
        consolePrintf("Run: %04d (Last run: 0.5 s - Remaining: %02d:%02d:%02d - Elapsed: %02d:%02d:%02d)  \r",
                      simulation, runsLeft / 1800, rest / 60, rest % 60, elapsedHours, elapsedMinutes, elapsedRest);
        return;
    }
    const int remaining = lastRun * runsLeft;
    if (lastRun == 1)
        consolePrintf("Run: %04d (Last run:   1 s - Remaining: %02d:%02d:%02d - Elapsed: %02d:%02d:%02d)  \r",
                      simulation, remaining / 3600, remaining % 3600 / 60, remaining % 60, elapsedHours,
                      elapsedMinutes, elapsedRest);
    else
        consolePrintf("Run: %04d (Last run:   %d s - Remaining: %02d:%02d:%02d - Elapsed: %02d:%02d:%02d)  \r",
                      simulation, lastRun, remaining / 3600, remaining % 3600 / 60, remaining % 60, elapsedHours,
                      elapsedMinutes, elapsedRest);
}

namespace {

// The shortest time between two drawings of a simulation progress line.
constexpr std::chrono::milliseconds kRedrawInterval{100};

// Seconds as hh:mm:ss.
std::string clockText(double seconds)
{
    const long long whole = std::llround(seconds);
    return formatText("%02lld:%02lld:%02lld", whole / 3600, whole % 3600 / 60, whole % 60);
}

double secondsOf(SimulationProgress::Clock::duration duration)
{
    return std::chrono::duration<double>(duration).count();
}

}  // namespace

SimulationProgress::SimulationProgress(const ConsoleStyle& style, int total, Clock::time_point start)
    : style_(style), total_(total), start_(start)
{
}

void SimulationProgress::show(int done, Clock::time_point now)
{
    done_ = done;
    if (style_.progress != ProgressLines::Simulations || (drawn_ && now - lastDrawn_ < kRedrawInterval))
        return;
    drawn_ = true;
    lastDrawn_ = now;
    const double elapsed = secondsOf(now - start_);
    const double left = done > 0 ? elapsed / done * (total_ - done) : 0.0;
    draw(formatText("Simulations: %d of %d, %s elapsed, about %s left", done, total_, clockText(elapsed).c_str(),
                    clockText(left).c_str()),
         '\r');
}

void SimulationProgress::finish(Clock::time_point now)
{
    if (style_.progress == ProgressLines::Simulations)
        draw(formatText("Simulations: %d of %d in %s", done_, total_, clockText(secondsOf(now - start_)).c_str()), '\n');
}

void SimulationProgress::draw(const std::string& text, char end)
{
    // Blanks over the rest of a longer line drawn before.
    std::string line = text;
    if (line.size() < width_)
        line.append(width_ - line.size(), ' ');
    width_ = text.size();
    line += end;
    writeConsole(line.data(), line.size());
}
