#include "characteristics/mean_range.hpp"

#include <cmath>
#include <string>

#include "characteristics/common.hpp"
#include "design/parameter_ranges.hpp"
#include "numeric/number_text.hpp"

namespace qalix {

bool meanComputable(const StoppingMasses& m, int K, double delta, bool typed) {
    if (!std::isfinite(delta) || !stopsSurely(m, K)) return false;
    if (typed) return true;
    const std::string field = formatF(delta, kDeltaFormat.width, kDeltaFormat.decimals);
    return field.find('*') == std::string::npos;
}

bool meanComputable(const DesignRecord& r, double a, float z, double delta, bool typed) {
    const StoppingMasses m = stoppingMasses(a, delta - static_cast<double>(z), r.coeffTable.data(),
                                            r.gridIntervals, r.numLooks, r.engineTime.data());
    return meanComputable(m, r.numLooks, delta, typed);
}

void refuseMean(DesignContext& program, Dialog& dialog, std::initializer_list<int> fields) {
    for (int control : fields)
        dialog.setText(control, kCleared);
    program.error(kMeanOutOfRange);
}

}  // namespace qalix
