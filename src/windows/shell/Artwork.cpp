#include "shell/Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>

namespace quill::artwork {

QPixmap programIconPixmap(int size) {
    // Drawn on a 32-unit grid. A larger icon is drawn at its own size, so its
    // edges stay sharp; a smaller one is the 32 px drawing scaled down, where
    // thin lines drawn at their own size would blur into the paper.
    const int drawn = std::max(size, 32);
    QPixmap pm(drawn, drawn);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(drawn / 32.0, drawn / 32.0);
    // A scroll with a quill: the script and the pen that writes it.
    QLinearGradient paper(0, 0, 32, 32);
    paper.setColorAt(0, QColor(250, 238, 200));
    paper.setColorAt(1, QColor(214, 182, 120));
    p.setBrush(paper);
    p.setPen(QPen(QColor(110, 72, 30), 1.2));
    p.drawRoundedRect(QRectF(4.5, 3.5, 21, 25), 3, 3);
    p.setPen(QPen(QColor(110, 72, 30, 160), 1));
    for (int y = 9; y <= 23; y += 4) p.drawLine(QPointF(8, y), QPointF(20, y));
    QPainterPath quill;
    quill.moveTo(30, 2);
    quill.cubicTo(22, 6, 17, 14, 14, 26);
    quill.cubicTo(20, 18, 26, 12, 30, 2);
    p.setBrush(QColor(150, 20, 20));
    p.setPen(QPen(QColor(80, 0, 0), 0.8));
    p.drawPath(quill);
    p.setPen(QPen(Qt::black, 1.2));
    p.drawLine(QPointF(14, 26), QPointF(12.5, 30));
    p.end();
    return size >= 32 ? pm : pm.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QIcon programIcon() {
    // The small size is the large one scaled: draw it once.
    const QPixmap large = programIconPixmap(32);
    QIcon icon;
    icon.addPixmap(large);
    icon.addPixmap(large.scaled(16, 16, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    return icon;
}

QPixmap smallImage(const QString& key) {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (key == QLatin1String("_openfile")) {
        p.setPen(QColor(120, 90, 10));
        p.setBrush(QColor(240, 200, 80));
        p.drawRect(QRectF(1.5, 4.5, 12, 9));
        p.setBrush(QColor(255, 225, 120));
        QPolygonF flap({QPointF(3.5, 7.5), QPointF(15.5, 7.5), QPointF(13.5, 13.5), QPointF(1.5, 13.5)});
        p.drawPolygon(flap);
    } else if (key == QLatin1String("_savefile")) {
        p.setPen(QColor(20, 40, 90));
        p.setBrush(QColor(60, 100, 180));
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(200, 200, 210));
        p.drawRect(QRectF(3.5, 9.5, 9, 5));
    } else if (key == QLatin1String("_newfile")) {
        p.setPen(QColor(90, 90, 90));
        p.setBrush(Qt::white);
        QPolygonF sheet(
            {QPointF(3.5, 1.5), QPointF(10.5, 1.5), QPointF(13.5, 4.5), QPointF(13.5, 14.5), QPointF(3.5, 14.5)});
        p.drawPolygon(sheet);
        p.drawLine(QPointF(10.5, 1.5), QPointF(10.5, 4.5));
        p.drawLine(QPointF(10.5, 4.5), QPointF(13.5, 4.5));
    } else {  // "_status": a small green light
        QRadialGradient g(8, 8, 7, 6, 6);
        g.setColorAt(0, QColor(200, 255, 200));
        g.setColorAt(1, QColor(20, 140, 40));
        p.setBrush(g);
        p.setPen(QColor(10, 80, 20));
        p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
    }
    return pm;
}

QPixmap splashBackground() {
    QPixmap pm(800, 600);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 300);
    sky.setColorAt(0, QColor(18, 12, 40));
    sky.setColorAt(1, QColor(70, 24, 30));
    p.fillRect(pm.rect(), sky);
    // Hills and a castle on the skyline, far enough to stay behind the labels.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 14, 22));
    QPainterPath hills;
    hills.moveTo(0, 240);
    hills.cubicTo(120, 200, 220, 260, 330, 225);
    hills.cubicTo(420, 200, 470, 250, 520, 240);
    hills.lineTo(520, 300);
    hills.lineTo(0, 300);
    p.drawPath(hills);
    p.setBrush(QColor(12, 6, 14));
    p.drawRect(360, 170, 60, 60);
    for (int x = 360; x < 420; x += 15) p.drawRect(x, 162, 8, 10);
    p.drawRect(345, 150, 18, 80);
    p.drawRect(417, 150, 18, 80);
    p.setBrush(QColor(255, 220, 120, 180));
    p.drawEllipse(QPointF(90, 60), 22, 22);
    p.end();
    return pm;
}

namespace {

// A white speech bubble with a blue sign in it: the information and
// question icons share it.
QPixmap bubbleWithSign(const QString& sign) {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(2.5, 2.5, 27, 21), 9, 9);
    QPainterPath tail;
    tail.moveTo(8, 21);
    tail.lineTo(6, 30);
    tail.lineTo(15, 22);
    tail.closeSubpath();
    bubble = bubble.united(tail);
    p.setPen(QPen(QColor(90, 110, 140), 1.2));
    p.setBrush(Qt::white);
    p.drawPath(bubble);
    QFont font(QStringLiteral("Serif"));
    font.setPixelSize(18);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(20, 70, 200));
    p.drawText(QRectF(2.5, 2.5, 27, 21), Qt::AlignCenter, sign);
    p.end();
    return pm;
}

QPixmap warningTriangle() {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath triangle;
    triangle.moveTo(16, 2.5);
    triangle.lineTo(30.5, 28.5);
    triangle.lineTo(1.5, 28.5);
    triangle.closeSubpath();
    p.setPen(QPen(QColor(120, 90, 0), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(255, 210, 0));
    p.drawPath(triangle);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    QPainterPath bar;
    bar.moveTo(14, 10);
    bar.lineTo(18, 10);
    bar.lineTo(17, 21);
    bar.lineTo(15, 21);
    bar.closeSubpath();
    p.drawPath(bar);
    p.drawEllipse(QPointF(16, 24.5), 1.8, 1.8);
    p.end();
    return pm;
}

QPixmap errorDisc() {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient red(QPointF(12, 11), 20);
    red.setColorAt(0, QColor(250, 90, 80));
    red.setColorAt(1, QColor(190, 20, 20));
    p.setPen(QPen(QColor(120, 0, 0), 1.2));
    p.setBrush(red);
    p.drawEllipse(QRectF(2, 2, 28, 28));
    p.setPen(QPen(Qt::white, 3.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10.5, 10.5), QPointF(21.5, 21.5));
    p.drawLine(QPointF(21.5, 10.5), QPointF(10.5, 21.5));
    p.end();
    return pm;
}

}  // namespace

QPixmap msgBoxIcon(int icon) {
    switch (icon) {
        case 0: return bubbleWithSign(QStringLiteral("i"));
        case 1: return bubbleWithSign(QStringLiteral("?"));
        case 2: return warningTriangle();
        case 3: return errorDisc();
        default: return {};
    }
}

QPixmap dialogBackground() {
    QPixmap pm(400, 300);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 400, 300);
    sky.setColorAt(0, QColor(84, 128, 160));
    sky.setColorAt(1, QColor(62, 104, 128));
    p.fillRect(pm.rect(), sky);
    // Soft swells across the picture, a shade either side of the ground.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 7; ++i) {
        QPainterPath swell;
        const double y = 30 + i * 42;
        swell.moveTo(0, y);
        swell.cubicTo(100, y - 26, 240, y + 30, 400, y - 8);
        swell.lineTo(400, y + 14);
        swell.cubicTo(240, y + 46, 100, y - 8, 0, y + 18);
        swell.closeSubpath();
        p.setBrush(i % 2 ? QColor(255, 255, 255, 14) : QColor(0, 0, 0, 16));
        p.drawPath(swell);
    }
    // A faint compass rose in the lower right, clear of the controls' labels.
    p.translate(330, 235);
    p.setBrush(QColor(255, 255, 255, 26));
    for (int k = 0; k < 4; ++k) {
        QPolygonF point({QPointF(0, -46), QPointF(7, -7), QPointF(0, 0), QPointF(-7, -7)});
        p.drawPolygon(point);
        p.rotate(90);
    }
    p.setPen(QPen(QColor(255, 255, 255, 30), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(0, 0), 30, 30);
    p.end();
    return pm;
}

}  // namespace quill::artwork
