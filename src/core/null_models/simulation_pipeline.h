// The simulations of the null models, on every core, with the same results
// as one after the other.
//
// The main thread draws each simulation's random matrices, in simulation
// order, since the draws are one sequence of the random generator; worker
// threads measure them, each with a Worker context of its own; and the main
// thread takes the measured simulations back in simulation order, to write
// and tally them. While it waits for the oldest simulation, the main thread
// measures queued ones itself, so that n threads in all are busy: n - 1
// workers and the main thread. A fixed window of simulations is in flight
// at any time, so memory stays bounded however many simulations are asked
// for. With one thread there is no worker thread: the main thread measures
// each simulation as soon as it is drawn.
//
// Stopping: once the stop flag is set (an interrupt), the simulations not
// yet measured are abandoned, those being measured give up at their next
// check, and the pipeline hands over only the simulations completed before
// the first abandoned one, so whatever is written from them ends at a
// simulation boundary. A measurement that fails (out of memory) fails the
// whole pipeline: the other simulations are abandoned, and its exception
// reaches the main thread, so that nothing ever ends in std::terminate.
#ifndef BRAVOLIN_CORE_NULL_MODELS_SIMULATION_PIPELINE_H
#define BRAVOLIN_CORE_NULL_MODELS_SIMULATION_PIPELINE_H

#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <new>
#include <mutex>
#include <thread>
#include <vector>

#include "bravolin/threads.h"
#include "core/stop_request.h"

namespace bravolin {

// The simulations to keep in flight for threads threads: enough that no
// thread waits for the next one to be drawn or for the oldest to be
// written (eight a thread), but no more than fit in 128 MB, and at least
// two a thread.
inline int simulationWindow(int threads, std::size_t bytesPerSimulation)
{
    const std::size_t fitting = (std::size_t{128} << 20) / (bytesPerSimulation > 0 ? bytesPerSimulation : 1);
    std::size_t window = 8 * static_cast<std::size_t>(threads);
    if (window > fitting)
        window = fitting;
    if (window < 2 * static_cast<std::size_t>(threads))
        window = 2 * static_cast<std::size_t>(threads);
    return static_cast<int>(window);
}

template <typename Simulation, typename Worker>
class SimulationPipeline {
public:
    using Measure = void (*)(Worker&, Simulation&, const StopRequest&);

    // threads in all, the calling one included, started by starter (none:
    // as std::threads), until stop is set (none: never).
    SimulationPipeline(int threads, ThreadStarter* starter, const std::atomic<bool>* stop, int window,
                       Measure measure)
        : measure_(measure), slots_(static_cast<std::size_t>(threads > 1 ? window : 1)),
          ownWorker_(std::make_unique<Worker>()), stop_(stop, &ending_)
    {
        ThreadStarter plainStarter;
        ThreadStarter& threadStarter = starter != nullptr ? *starter : plainStarter;
        // Room for every thread first: a started thread must never be lost
        // to a failed allocation.
        threads_.reserve(static_cast<std::size_t>(threads > 1 ? threads - 1 : 0));
        for (int i = 1; i < threads; i++) {
            std::thread thread;
            if (!threadStarter.start(thread, [this] { work(); }))
                break;
            threads_.push_back(std::move(thread));
        }
    }

    ~SimulationPipeline()
    {
        ending_.store(true);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        queued_.notify_all();
        for (std::thread& thread : threads_)
            thread.join();
    }

    SimulationPipeline(const SimulationPipeline&) = delete;
    SimulationPipeline& operator=(const SimulationPipeline&) = delete;

    // The threads measuring: the workers that could be started and the
    // main thread.
    int threadsRunning() const { return static_cast<int>(threads_.size()) + 1; }

    // Whether the simulations are to stop: no further one should be drawn.
    bool stopRequested() const { return stop_.requested(); }
    // The request that the simulations' long steps check, the draws too.
    const StopRequest& stopRequest() const { return stop_; }

    // The slot of the next simulation to draw. When every slot is in
    // flight, the oldest simulation is waited for and handed to finish
    // first, so finish sees the simulations in order. Null once the
    // simulations have stopped: nothing more is drawn.
    template <typename Finish>
    Simulation* slotToDraw(Finish&& finish)
    {
        if (inFlight_ == slots_.size() && !finishOldest(finish))
            return nullptr;
        return &slots_[(oldest_ + inFlight_) % slots_.size()].simulation;
    }

    // The slot last returned by slotToDraw is drawn: measure it.
    void submit()
    {
        const std::size_t index = (oldest_ + inFlight_) % slots_.size();
        inFlight_++;
        if (threads_.empty()) {
            slots_[index].state = measureSafely(*ownWorker_, slots_[index]);
            return;
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            slots_[index].state = SlotState::Pending;
            queue_.push_back(index);
        }
        queued_.notify_one();
    }

    // Hands every simulation still in flight to finish, in order. Returns
    // false when the simulations stopped before all were measured.
    template <typename Finish>
    bool finishAll(Finish&& finish)
    {
        while (inFlight_ > 0)
            if (!finishOldest(finish))
                return false;
        return true;
    }

private:
    enum class SlotState { Pending, Measured, Abandoned, Failed };

    struct Slot {
        Simulation simulation;
        SlotState state = SlotState::Pending;
    };

    // Hands the oldest simulation to finish once it is measured; false,
    // and the pipeline stopped, when it was abandoned. A failed measurement
    // is thrown here.
    template <typename Finish>
    bool finishOldest(Finish& finish)
    {
        if (stopped_)
            return false;
        Slot& slot = slots_[oldest_];
        if (!threads_.empty()) {
            std::unique_lock<std::mutex> lock(mutex_);
            while (slot.state == SlotState::Pending) {
                if (queue_.empty()) {
                    measuredCondition_.wait(lock);
                    continue;
                }
                measureQueued(lock, *ownWorker_);
            }
        }
        if (slot.state != SlotState::Measured) {
            stopped_ = true;
            std::lock_guard<std::mutex> lock(failureMutex_);
            if (failure_)
                std::rethrow_exception(failure_);
            return false;
        }
        finish(slot.simulation);
        oldest_ = (oldest_ + 1) % slots_.size();
        inFlight_--;
        return true;
    }

    SlotState measureSafely(Worker& worker, Slot& slot)
    {
        if (stop_.requested())
            return SlotState::Abandoned;
        try {
            measure_(worker, slot.simulation, stop_);
            return SlotState::Measured;
        } catch (const SimulationAbandoned&) {
            return SlotState::Abandoned;
        } catch (...) {
            std::lock_guard<std::mutex> lock(failureMutex_);
            if (!failure_)
                failure_ = std::current_exception();
            ending_.store(true);
            return SlotState::Failed;
        }
    }

    // Takes the next queued simulation and measures it with worker; the
    // lock is held on entry and on return, not while measuring.
    void measureQueued(std::unique_lock<std::mutex>& lock, Worker& worker)
    {
        const std::size_t index = queue_.front();
        queue_.pop_front();
        lock.unlock();
        const SlotState state = measureSafely(worker, slots_[index]);
        lock.lock();
        slots_[index].state = state;
        measuredCondition_.notify_all();
    }

    // A worker whose context cannot be made leaves its share to the others
    // and the main thread.
    void work()
    {
        std::unique_ptr<Worker> worker;
        try {
            worker = std::make_unique<Worker>();
        } catch (const std::bad_alloc&) {
            return;
        }
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            queued_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (stopping_)
                return;
            measureQueued(lock, *worker);
        }
    }

    Measure measure_;
    std::vector<Slot> slots_;
    std::size_t oldest_ = 0;    // the slot of the oldest simulation in flight
    std::size_t inFlight_ = 0;  // simulations drawn and not yet finished
    bool stopped_ = false;      // a simulation was abandoned or failed

    std::unique_ptr<Worker> ownWorker_;  // the main thread's
    std::atomic<bool> ending_{false};    // the pipeline is being destroyed
    StopRequest stop_;
    std::vector<std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable queued_;
    std::condition_variable measuredCondition_;
    std::deque<std::size_t> queue_;
    bool stopping_ = false;
    // The first measurement that failed, if one did.
    std::mutex failureMutex_;
    std::exception_ptr failure_;
};

}  // namespace bravolin

#endif
