// Asking measurements under way to give up: an interrupt of the user, or
// the end of the simulations they belong to. A measurement checks at
// points where giving up leaves nothing half written (between the passes
// of a packing, the columns of a temperature, the lines of a NODF, the
// rows of a draw, the trades of a chain), and gives up by throwing
// SimulationAbandoned, which the simulation pipeline catches, and the
// observed analyses turn into Stopped.
#ifndef BRAVOLIN_CORE_STOP_REQUEST_H
#define BRAVOLIN_CORE_STOP_REQUEST_H

#include <atomic>

namespace bravolin {

struct SimulationAbandoned {};

class StopRequest {
public:
    StopRequest() = default;
    StopRequest(const std::atomic<bool>* first, const std::atomic<bool>* second)
        : first_(first), second_(second)
    {
    }

    bool requested() const
    {
        return (first_ != nullptr && first_->load(std::memory_order_relaxed)) ||
               (second_ != nullptr && second_->load(std::memory_order_relaxed));
    }

    void abandonIfRequested() const
    {
        if (requested())
            throw SimulationAbandoned{};
    }

    // For a loop over the lines of a matrix: checks at every 64th line, so
    // that a loop over millions of cells gives up within a millisecond
    // while a check costs nothing next to the lines' work.
    void abandonAtLineIfRequested(int line) const
    {
        if ((line & 63) == 63)
            abandonIfRequested();
    }

private:
    const std::atomic<bool>* first_ = nullptr;
    const std::atomic<bool>* second_ = nullptr;
};

}  // namespace bravolin

#endif
