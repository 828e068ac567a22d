#include "shell/FormDesign.h"

#include <QWidget>

#include "shell/twips.h"

namespace quill {

int px(const QWidget* w, double twips) { return twipsToPixels(twips, w->logicalDpiX()); }
int twipsOf(const QWidget* w, double pixels) { return pixelsToTwips(pixels, w->logicalDpiX()); }

void placeTwips(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(px(w, left), px(w, top), px(w, width), px(w, height));
}

QFont tahomaFont() {
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPointSizeF(8.25);  // QFont's constructor would round it down to 8
    return tahoma;
}

QFont designFont(const QStringList& families, double points, bool bold) {
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QStringList sansSerifFamilies() {
    return {QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
            QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans")};
}

}  // namespace quill
