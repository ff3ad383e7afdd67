// The Hungarian method in its shortest-augmenting-path form: workers are
// added one at a time, each by a Dijkstra-like search over the jobs on the
// reduced costs, whose potentials keep every reduced cost non-negative.
#include "core/metrics/assignment.h"

#include <cstddef>
#include <limits>

namespace bravolin {

long long leastAssignmentCost(const std::vector<long long>& cost, int n)
{
    const long long infinity = std::numeric_limits<long long>::max();
    const std::size_t size = static_cast<std::size_t>(n) + 1;
    // Workers and jobs from 1; job 0 is the worker being added.
    std::vector<long long> workerPotential(size, 0), jobPotential(size, 0), slack(size);
    std::vector<int> workerOfJob(size, 0), previousJob(size, 0);
    std::vector<bool> reached(size);
    auto at = [&](int worker, int job) {
        return cost[static_cast<std::size_t>(worker - 1) * static_cast<std::size_t>(n) + static_cast<std::size_t>(job - 1)];
    };
    for (int worker = 1; worker <= n; worker++) {
        workerOfJob[0] = worker;
        int job = 0;
        slack.assign(size, infinity);
        reached.assign(size, false);
        do {
            reached[static_cast<std::size_t>(job)] = true;
            const int from = workerOfJob[static_cast<std::size_t>(job)];
            long long step = infinity;
            int nextJob = 0;
            for (int j = 1; j <= n; j++) {
                const std::size_t jj = static_cast<std::size_t>(j);
                if (reached[jj])
                    continue;
                const long long reduced = at(from, j) - workerPotential[static_cast<std::size_t>(from)] - jobPotential[jj];
                if (reduced < slack[jj]) {
                    slack[jj] = reduced;
                    previousJob[jj] = job;
                }
                if (slack[jj] < step) {
                    step = slack[jj];
                    nextJob = j;
                }
            }
            for (std::size_t j = 0; j < size; j++) {
                if (reached[j]) {
                    workerPotential[static_cast<std::size_t>(workerOfJob[j])] += step;
                    jobPotential[j] -= step;
                } else {
                    slack[j] -= step;
                }
            }
            job = nextJob;
        } while (workerOfJob[static_cast<std::size_t>(job)] != 0);
        // Flip the path of jobs back to the worker added.
        do {
            const int previous = previousJob[static_cast<std::size_t>(job)];
            workerOfJob[static_cast<std::size_t>(job)] = workerOfJob[static_cast<std::size_t>(previous)];
            job = previous;
        } while (job != 0);
    }
    long long total = 0;
    for (int j = 1; j <= n; j++)
        total += at(workerOfJob[static_cast<std::size_t>(j)], j);
    return total;
}

}  // namespace bravolin
