#include "shell/window_metrics.h"

#include <cmath>
#include <cstdio>

namespace quill::metrics {

std::string formatNumber(double value) {
    if (!std::isfinite(value)) return "0";
    if (value == std::floor(value) && std::fabs(value) < 1e15) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(value));
        return buffer;
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

std::vector<std::pair<std::string, std::string>> entries(const WindowTwips& window) {
    if (window.minimised) return {};
    return {{"frmMain X", formatNumber(window.left)},
            {"frmMain Y", formatNumber(window.top)},
            {"frmMain Width", formatNumber(window.width)},
            {"frmMain Height", formatNumber(window.height)}};
}

}  // namespace quill::metrics
