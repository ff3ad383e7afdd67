// The assignment problem: the least total cost of giving each of n workers
// one of n jobs, worker i on job j costing cost[i * n + j].
#ifndef BRAVOLIN_CORE_METRICS_ASSIGNMENT_H
#define BRAVOLIN_CORE_METRICS_ASSIGNMENT_H

#include <vector>

namespace bravolin {

// The least total cost, exactly, by the Hungarian method with potentials,
// O(n^3). Costs are whole numbers; their sums must fit in a long long.
long long leastAssignmentCost(const std::vector<long long>& cost, int n);

}  // namespace bravolin

#endif
