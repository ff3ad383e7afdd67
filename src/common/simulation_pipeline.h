// The simulations of a file's null models, on every core, with the same
// results as one after the other.
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
#ifndef BRAVOLIN_COMMON_SIMULATION_PIPELINE_H
#define BRAVOLIN_COMMON_SIMULATION_PIPELINE_H

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// The simulations to keep in flight for threads threads: enough that no
// thread waits for the next one to be drawn or for the oldest to be
// written (eight a thread), but no more than fit in 256 MB, and at least
// two a thread.
inline int simulationWindow(int threads, std::size_t bytesPerSimulation)
{
    const std::size_t fitting = (std::size_t{256} << 20) / (bytesPerSimulation > 0 ? bytesPerSimulation : 1);
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
    using Measure = void (*)(Worker&, Simulation&);

    SimulationPipeline(int threads, int window, Measure measure)
        : measure_(measure), slots_(static_cast<std::size_t>(threads > 1 ? window : 1)),
          ownWorker_(std::make_unique<Worker>())
    {
        for (int i = 1; i < threads; i++)
            threads_.emplace_back([this] { work(); });
    }

    ~SimulationPipeline()
    {
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

    // The slot of the next simulation to draw. When every slot is in
    // flight, the oldest simulation is waited for and handed to finish
    // first, so finish sees the simulations in order.
    template <typename Finish>
    Simulation& slotToDraw(Finish&& finish)
    {
        if (inFlight_ == slots_.size())
            finishOldest(finish);
        return slots_[(oldest_ + inFlight_) % slots_.size()].simulation;
    }

    // The slot last returned by slotToDraw is drawn: measure it.
    void submit()
    {
        const std::size_t index = (oldest_ + inFlight_) % slots_.size();
        inFlight_++;
        if (threads_.empty()) {
            measure_(*ownWorker_, slots_[index].simulation);
            slots_[index].measured = true;
            return;
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            slots_[index].measured = false;
            queue_.push_back(index);
        }
        queued_.notify_one();
    }

    // Hands every simulation still in flight to finish, in order.
    template <typename Finish>
    void finishAll(Finish&& finish)
    {
        while (inFlight_ > 0)
            finishOldest(finish);
    }

private:
    struct Slot {
        Simulation simulation;
        bool measured = false;
    };

    template <typename Finish>
    void finishOldest(Finish& finish)
    {
        Slot& slot = slots_[oldest_];
        if (!threads_.empty()) {
            std::unique_lock<std::mutex> lock(mutex_);
            while (!slot.measured) {
                if (queue_.empty()) {
                    measuredCondition_.wait(lock);
                    continue;
                }
                measureQueued(lock, *ownWorker_);
            }
        }
        finish(slot.simulation);
        oldest_ = (oldest_ + 1) % slots_.size();
        inFlight_--;
    }

    // Takes the next queued simulation and measures it with worker; the
    // lock is held on entry and on return, not while measuring.
    void measureQueued(std::unique_lock<std::mutex>& lock, Worker& worker)
    {
        const std::size_t index = queue_.front();
        queue_.pop_front();
        lock.unlock();
        measure_(worker, slots_[index].simulation);
        lock.lock();
        slots_[index].measured = true;
        measuredCondition_.notify_all();
    }

    void work()
    {
        Worker worker;
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            queued_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (stopping_)
                return;
            measureQueued(lock, worker);
        }
    }

    Measure measure_;
    std::vector<Slot> slots_;
    std::size_t oldest_ = 0;    // the slot of the oldest simulation in flight
    std::size_t inFlight_ = 0;  // simulations drawn and not yet finished

    std::unique_ptr<Worker> ownWorker_;  // the main thread's
    std::vector<std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable queued_;
    std::condition_variable measuredCondition_;
    std::deque<std::size_t> queue_;
    bool stopping_ = false;
};

#endif
