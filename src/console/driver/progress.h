// The progress lines of the analyses, on the console only: mode T's
// spinner and mode N's line with its time estimate. Each ends in a carriage
// return, so that the next overwrites it.
#ifndef BRAVOLIN_CONSOLE_DRIVER_PROGRESS_H
#define BRAVOLIN_CONSOLE_DRIVER_PROGRESS_H

// Mode T's progress line "%04d - %c\r": the simulation under way (0 before
// the first; once a file's simulations are done, one more than their
// number) and the next character of a spinner that turns once a line for
// the whole program run.
class Spinner {
public:
    // Shows count lines in one write to the console.
    void show(int count);
    void setSimulation(int simulation) { simulation_ = simulation; }

private:
    int turns_ = 0;
    int simulation_ = 0;
};

// Mode N's progress line of a file's simulations: the simulation, the
// seconds the last one took and an estimate of the time left for 1000.
class NodfProgress {
public:
    void show(int simulation);

private:
    int previousSeconds_ = 0;  // the seconds field of the clock at the last simulation
    int elapsedSeconds_ = 0;
};

#endif
