#include "shell/modINI.h"

#include <QFile>

#include "shell/ini.h"

namespace quill::modINI {

QString ReadINI(const QString& Section, const QString& Key, const QString& Default, const QString& FileName) {
    return QString::fromStdString(ini::lookupText(ini::readFile(QFile::encodeName(FileName).toStdString()),
                                                  Section.toStdString(), Key.toStdString(), Default.toStdString()));
}

void WriteINI(const QString& Section, const QString& Key, const QString& Value, const QString& FileName) {
    ini::writeValue(QFile::encodeName(FileName).toStdString(), Section.toStdString(), Key.toStdString(),
                    Value.toStdString());
}

}  // namespace quill::modINI
