#include "shell/AppStyle.h"

#include <QApplication>
#include <QIconEngine>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOption>
#include <QWidget>

namespace quill {
namespace {

// An icon that asks the style for the real one the first time it is drawn
// or measured, and from then on answers exactly as the real one does.
class DeferredIconEngine final : public QIconEngine {
public:
    // The arrows depend on the option only through its direction, which a
    // copy of its common part keeps.
    DeferredIconEngine(QStyle* style, QStyle::StandardPixmap which, const QStyleOption* option, const QWidget* widget)
        : style_(style),
          which_(which),
          hasOption_(option != nullptr),
          option_(option ? *option : QStyleOption()),
          widget_(const_cast<QWidget*>(widget)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, 1.0, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    // Asking whether the icon is empty must not read it: the bars ask while
    // they are built. The style's arrows are never empty.
    bool isNull() override { return loaded_ && real_.isNull(); }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
    const QIcon& icon() {
        if (!loaded_) {
            loaded_ = true;
            QStyle* style = style_ ? style_.data() : QApplication::style();
            real_ = style->standardIcon(which_, hasOption_ ? &option_ : nullptr, widget_.data());
        }
        return real_;
    }

    QPointer<QStyle> style_;
    QStyle::StandardPixmap which_;
    bool hasOption_;
    QStyleOption option_;
    QPointer<QWidget> widget_;
    bool loaded_ = false;
    QIcon real_;
};

class AppStyle final : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option, const QWidget* widget) const override {
        if (which == SP_ToolBarHorizontalExtensionButton || which == SP_ToolBarVerticalExtensionButton)
            return QIcon(new DeferredIconEngine(baseStyle(), which, option, widget));
        return QProxyStyle::standardIcon(which, option, widget);
    }
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        // A drop-down list opens as a list of its own, a bounded number of
        // rows high with a scroll bar, as the platform's does; some styles
        // open it over the combo box with every row, taller than the screen
        // for the catalogue.
        if (hint == SH_ComboBox_Popup) return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

}  // namespace

void installAppStyle() {
    // With no base given, the proxy makes the style Qt would have chosen
    // (the -style argument, QT_STYLE_OVERRIDE or the platform's) on first use.
    QApplication::setStyle(new AppStyle);
}

}  // namespace quill
