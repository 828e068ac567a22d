#include "shell/modWindowMetrics.h"

#include <QWidget>

namespace quill::modWindowMetrics {

void SaveWindowMetrics(QWidget*) {}

}  // namespace quill::modWindowMetrics
