// Asking measurements under way to give up: an interrupt of the user, or
// the end of the simulations they belong to. A measurement checks at
// points where giving up leaves nothing half written (between the passes
// of a packing, the columns of a temperature, the lines of a NODF), and
// gives up by throwing SimulationAbandoned, which the simulation pipeline
// catches.
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

private:
    const std::atomic<bool>* first_ = nullptr;
    const std::atomic<bool>* second_ = nullptr;
};

}  // namespace bravolin

#endif
