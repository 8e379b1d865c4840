#include "planbench.h"

#include <cstdio>

namespace tallero::bench {

int runPlanBench(const QStringList &, const PlanBenchOptions &)
{
    std::fprintf(stderr, "--plan is not available yet\n");
    return 1;
}

} // namespace tallero::bench
