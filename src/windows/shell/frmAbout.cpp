#include "shell/frmAbout.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "shell/Artwork.h"
#include "shell/FormDesign.h"

namespace quill {

QPointer<frmAbout> frmAbout::instance_;

void showFrmAbout() { showSingle(frmAbout::instance_); }

frmAbout::frmAbout()
    : QDialog(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    // A tool window (kept out of the task bar) would not keep the program
    // running on its own; this one does, after the main window has closed.
    setAttribute(Qt::WA_QuitOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("About Quillmoor v3"));
    setWindowIcon(artwork::programIcon());
    setFixedSize(px(this, 5610), px(this, 3150));
    setFont(designFont(sansSerifFamilies(), 8.25));

    auto label = [&](const char* name, const QString& text, int left, int top, int width, int height) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromUtf8(name));
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, Qt::black);
        l->setPalette(pal);
        placeTwips(l, left, top, width, height);
        return l;
    };

    picIcon = label("picIcon", QString(), 120, 240, 540, 540);
    picIcon->setPixmap(artwork::programIconPixmap(32));
    lblTitle = label("lblTitle", QStringLiteral("Legend Of Mir 2 : Quillmoor : v3"), 930, 240, 3885, 480);
    lblVersion = label("lblVersion", QStringLiteral("Version 3.0"), 930, 780, 3885, 225);
    lblVersion->setPalette(palette());
    lblDescription = label("lblDescription",
                           QStringLiteral("Written by Tarnhollow. "
                                          "It's Purpose Is To Allow Less Experienced People Create NPC Scripts "
                                          "For The Legend Of Mir Server  Files."),
                           930, 1125, 3165, 1050);
    lblDescription->setWordWrap(true);
    lblDisclaimer = label("lblDisclaimer",
                          QStringLiteral("For offline servers only. Use it at your own risk; it is not connected "
                                         "with the makers of the game."),
                          120, 2625, 3870, 465);
    lblDisclaimer->setWordWrap(true);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    placeTwips(cmdOK, 4125, 2625, 1260, 345);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    cmdOK->setFocus();

    instance_ = this;
}

frmAbout::~frmAbout() = default;

frmAbout* frmAbout::instance() { return instance_.data(); }

void frmAbout::cmdOK_Click() { done(QDialog::Accepted); }

void frmAbout::reject() { cmdOK_Click(); }

void frmAbout::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    // An etched rule: a grey line with a white one just under it.
    QPainter p(this);
    p.setPen(QPen(QColor(128, 128, 128), 1));
    p.drawLine(px(this, 0), px(this, 2400), px(this, 5564), px(this, 2400));
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(px(this, 15), px(this, 2415) + 1, px(this, 5564), px(this, 2415) + 1);
}

}  // namespace quill
