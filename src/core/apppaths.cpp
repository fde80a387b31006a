#include "core/apppaths.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

struct Locations
{
    QString dataDir;        // ends with '/'
    QString settingsFile;
    QString shippedSettings; // copy to seed the settings file from, when installed
    QString backupDir;       // ends with '/'
};

const char SettingsName[] = "SysInfo.Ini";
const char BackupFolder[] = "backups/";

QString withSlash(const QString &dir)
{
    return dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/');
}

Locations portable(const QString &dir)
{
    const QString d = withSlash(QDir::cleanPath(dir));
    return {d, d + QLatin1String(SettingsName), QString(), d + QLatin1String(BackupFolder)};
}

Locations decide()
{
    const QString exeDir = QCoreApplication::instance()
                               ? QCoreApplication::applicationDirPath()
                               : QDir::currentPath();
    const QString shareDir = QDir::cleanPath(exeDir + QLatin1String("/../share/ze4k"));
    const bool installed = !QFileInfo::exists(exeDir + QLatin1Char('/') + QLatin1String(SettingsName))
                           && QFileInfo::exists(shareDir + QLatin1Char('/') + QLatin1String(SettingsName));
    if (!installed)
        return portable(exeDir);
    const QString configDir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                              + QLatin1String("/ze4k");
    const QString userDataDir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                                + QLatin1String("/ze4k/");
    return {withSlash(shareDir), configDir + QLatin1Char('/') + QLatin1String(SettingsName),
            withSlash(shareDir) + QLatin1String(SettingsName), userDataDir + QLatin1String(BackupFolder)};
}

Locations &locations()
{
    static Locations where = decide();
    return where;
}

} // namespace

namespace AppPaths {

QString appDir()
{
    return locations().dataDir;
}

QString settingsFile()
{
    Locations &where = locations();
    if (!where.shippedSettings.isEmpty() && !QFileInfo::exists(where.settingsFile)) {
        QDir().mkpath(QFileInfo(where.settingsFile).absolutePath());
        QFile::copy(where.shippedSettings, where.settingsFile);
        QFile::setPermissions(where.settingsFile, QFile::ReadOwner | QFile::WriteOwner
                                                      | QFile::ReadGroup | QFile::ReadOther);
    }
    return where.settingsFile;
}

QString languageFile(const QString &languageName)
{
    return appDir() + languageName + QLatin1String(".Ini");
}

QString helpFile(const QString &helpPrefix, const QString &languageName)
{
    return appDir() + helpPrefix + QLatin1Char('_') + languageName + QLatin1String(".html");
}

QString backupDir()
{
    return locations().backupDir;
}

void setBaseDir(const QString &dir)
{
    locations() = portable(dir);
}

} // namespace AppPaths
