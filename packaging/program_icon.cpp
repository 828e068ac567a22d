// Build tool: writes the program's own icon, as its windows show it, to PNG
// files for the desktop's icon theme, so the menu entry and the window agree.
//   program_icon <size> <file.png> [<size> <file.png> ...]

#include <QGuiApplication>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>

#include "shell/Artwork.h"

int main(int argc, char** argv) {
    // Drawing needs a platform but never a screen: the build may have none.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3 || argc % 2 == 0) {
        std::fprintf(stderr, "usage: %s <size> <file.png> [<size> <file.png> ...]\n", argv[0]);
        return 2;
    }
    for (int i = 1; i + 1 < argc; i += 2) {
        const int size = std::atoi(argv[i]);
        if (size <= 0 || !quill::artwork::programIconPixmap(size).save(QString::fromLocal8Bit(argv[i + 1]), "PNG")) {
            std::fprintf(stderr, "%s: cannot write the %s px icon to %s\n", argv[0], argv[i], argv[i + 1]);
            return 1;
        }
    }
    return 0;
}
