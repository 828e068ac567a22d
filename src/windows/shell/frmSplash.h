#pragma once
// The first window: the program's name and version, then the main window
// after five seconds or at the first key that types a character.

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
