#include "shell/modDeclarations.h"

#include <QCoreApplication>
#include <QDir>

#include "shell/paths.h"

namespace quill::modDeclarations {
namespace {

QString appPath, dataPath, scriptIniFile, settingsIniFile;

}  // namespace

void InitPathsFrom(const QString& executableFolder) {
    const paths::ProgramPaths p = paths::programPaths(QDir::toNativeSeparators(executableFolder).toStdString());
    appPath = QString::fromStdString(p.appPath);
    dataPath = QString::fromStdString(p.dataPath);
    scriptIniFile = QString::fromStdString(p.scriptIniFile);
    settingsIniFile = QString::fromStdString(p.settingsIniFile);
}

void InitPaths() { InitPathsFrom(QCoreApplication::applicationDirPath()); }

QString AppPath() { return appPath; }
QString DataPath() { return dataPath; }
QString ScriptIniFile() { return scriptIniFile; }
QString SettingsIniFile() { return settingsIniFile; }

}  // namespace quill::modDeclarations
