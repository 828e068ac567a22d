#include "shell/modDeclarations.h"

#include <QCoreApplication>
#include <QDir>

#include "shell/modDocument.h"

namespace quill::modDeclarations {
namespace {

QString appPath, dataPath, scriptIniFile, settingsIniFile;

}  // namespace

void InitPaths() {
    appPath = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    if (!appPath.endsWith(QDir::separator())) appPath += QDir::separator();
    dataPath = appPath + QStringLiteral("Data") + QDir::separator();
    scriptIniFile = appPath + QStringLiteral("NPC Script.ini");
    settingsIniFile = dataPath + QStringLiteral("Settings.ini");
    modDocument::ResetDocumentState();
}

QString AppPath() { return appPath; }
QString DataPath() { return dataPath; }
QString ScriptIniFile() { return scriptIniFile; }
QString SettingsIniFile() { return settingsIniFile; }

}  // namespace quill::modDeclarations
