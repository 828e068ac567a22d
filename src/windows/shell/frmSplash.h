#pragma once
// The first window: the program's name and version, until five seconds have
// passed or a key typed a character; then it says it is finished, for the
// program to show its main window, and closes.

#include <QWidget>

class QLabel;
class QTimer;

namespace quill {

class frmSplash : public QWidget {
    Q_OBJECT
public:
    frmSplash();

    QTimer* Timer1 = nullptr;
    QLabel* imgLogo = nullptr;
    QLabel* lblProductName = nullptr;
    QLabel* lblPlatform = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblWarning = nullptr;

signals:
    // Raised once, while the splash is still shown; it closes right after, so
    // a window shown from here takes over without a moment with no window,
    // in which the program would quit.
    void finished();

public slots:
    void Timer1_Timer();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void Form_KeyPress();
    void handOver();

    bool handedOver_ = false;
};

}  // namespace quill
