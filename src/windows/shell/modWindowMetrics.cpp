#include "shell/modWindowMetrics.h"

#include <QWidget>

#include "shell/modDeclarations.h"
#include "shell/modINI.h"
#include "shell/twips.h"
#include "shell/window_metrics.h"

namespace quill::modWindowMetrics {

void SaveWindowMetrics(QWidget* window) {
    if (!window) return;
    const QRect outer = window->frameGeometry();
    const double dpiX = window->logicalDpiX(), dpiY = window->logicalDpiY();
    metrics::WindowTwips twips;
    twips.minimised = window->isMinimized();
    twips.left = pixelsToTwips(outer.x(), dpiX);
    twips.top = pixelsToTwips(outer.y(), dpiY);
    twips.width = pixelsToTwips(outer.width(), dpiX);
    twips.height = pixelsToTwips(outer.height(), dpiY);
    const QString section = QString::fromLatin1(metrics::kSection.data(), qsizetype(metrics::kSection.size()));
    for (const auto& [key, value] : metrics::entries(twips))
        modINI::WriteINI(section, QString::fromStdString(key), QString::fromStdString(value),
                         modDeclarations::SettingsIniFile());
}

}  // namespace quill::modWindowMetrics
