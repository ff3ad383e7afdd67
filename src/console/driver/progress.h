// The progress lines of the analyses, on the console only: in the
// dialogue, mode T's spinner and mode N's line with its time estimate; in a
// scripted run on a terminal, a line of each file's simulations. Each ends
// in a carriage return, so that the next overwrites it. Each is shown as
// the console style of the run says.
#ifndef BRAVOLIN_CONSOLE_DRIVER_PROGRESS_H
#define BRAVOLIN_CONSOLE_DRIVER_PROGRESS_H

#include <chrono>
#include <cstddef>
#include <string>

#include "console/system/console.h"

// Mode T's progress line "%04d - %c\r": the simulation under way (0 before
// the first; once a file's simulations are done, one more than their
// number) and the next character of a spinner that turns once a line for
// the whole program run.
class Spinner {
public:
    explicit Spinner(const ConsoleStyle& style) : style_(style) {}
    // Shows count lines in one write to the console.
    void show(int count);
    void setSimulation(int simulation) { simulation_ = simulation; }

private:
    const ConsoleStyle& style_;
    int turns_ = 0;
    int simulation_ = 0;
};

// Mode N's progress line of a file's simulations: the simulation, the
// seconds the last one took and an estimate of the time left for 1000.
class NodfProgress {
public:
    explicit NodfProgress(const ConsoleStyle& style) : style_(style) {}
    void show(int simulation);

private:
    const ConsoleStyle& style_;
    int previousSeconds_ = 0;  // the seconds field of the clock at the last simulation
    int elapsedSeconds_ = 0;
};

// A scripted run's line of a file's simulations: "Simulations: 120 of
// 1000, 00:00:12 elapsed, about 00:01:28 left", the time left estimated
// from the rate so far, redrawn at most ten times a second; once they end,
// or are stopped, "Simulations: 1000 of 1000 in 00:02:00" on a line of its
// own.
class SimulationProgress {
public:
    using Clock = std::chrono::steady_clock;

    SimulationProgress(const ConsoleStyle& style, int total, Clock::time_point start = Clock::now());
    // After each simulation: done of the total are complete.
    void show(int done, Clock::time_point now = Clock::now());
    void finish(Clock::time_point now = Clock::now());

private:
    void draw(const std::string& text, char end);

    const ConsoleStyle& style_;
    int total_;
    int done_ = 0;
    Clock::time_point start_;
    Clock::time_point lastDrawn_;
    bool drawn_ = false;
    std::size_t width_ = 0;  // of the line drawn last
};

#endif
