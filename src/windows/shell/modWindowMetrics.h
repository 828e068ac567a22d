#pragma once
// The main window's position and size, written to "Settings.ini" on close.

class QWidget;

namespace quill::modWindowMetrics {

void SaveWindowMetrics(QWidget* window);

}  // namespace quill::modWindowMetrics
