#include "shell/modINI.h"

#include <QFile>

#include "shell/ini.h"
#include "shell/text_format.h"

namespace quill::modINI {

QString ReadINI(const QString& Section, const QString& Key, const QString& Default, const QString& FileName) {
    std::string value = ini::readValue(QFile::encodeName(FileName).toStdString(), Section.toStdString(),
                                       Key.toStdString(), Default.toStdString());
    textfile::decodeInPlace(value);
    return QString::fromStdString(value);
}

void WriteINI(const QString& Section, const QString& Key, const QString& Value, const QString& FileName) {
    ini::writeValue(QFile::encodeName(FileName).toStdString(), Section.toStdString(), Key.toStdString(),
                    Value.toStdString());
}

}  // namespace quill::modINI
