#include "shell/window_metrics.h"

#include <gtest/gtest.h>

namespace quill::metrics {
namespace {

// As the main window writes them on close (see tst_windowMetrics).
TEST(WindowMetrics, FourKeysInOrderAsPlainNumbers) {
    using Entries = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(entries({false, -60, 0, 1234567, 9000.5}), (Entries{{"frmMain X", "-60"},
                                                                  {"frmMain Y", "0"},
                                                                  {"frmMain Width", "1234567"},
                                                                  {"frmMain Height", "9000.5"}}));
}

}  // namespace
}  // namespace quill::metrics
