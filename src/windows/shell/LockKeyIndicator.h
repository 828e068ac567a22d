#pragma once
// A status-bar label that follows a lock key: normal while the lock is on,
// greyed out while it is off, its text never touched. It keeps itself up to
// date, so no code of the window has to write it.

#include <QObject>

class QLabel;

namespace quill {

class LockKeyIndicator : public QObject {
    Q_OBJECT
public:
    enum class Key { CapsLock, NumLock };

    // Becomes a child of label and lives as long as it does.
    LockKeyIndicator(QLabel* label, Key key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void scheduleRefresh();
    void refresh();

    QLabel* label_;
    Key key_;
    bool refreshPending_ = false;
};

}  // namespace quill
