#include "ui/example_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString FindExampleFolder(const QString& programFolder, const QString& sourceExamples) {
    return FindSharedFolder(programFolder, QStringLiteral("examples"), sourceExamples);
}

QString FindSharedFolder(const QString& programFolder, const QString& name,
                         const QString& sourceFolder) {
    const QString installed =
        QDir::cleanPath(programFolder + QStringLiteral("/../share/signova/") + name);
    for (const QString& folder : {installed, sourceFolder}) {
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return QDir(folder).absolutePath();
    }
    return {};
}

QString ExampleFolder() {
    return FindExampleFolder(QCoreApplication::applicationDirPath(),
                             QStringLiteral(SIGNOVA_SOURCE_EXAMPLES));
}

QString LessonFolder() {
    return FindSharedFolder(QCoreApplication::applicationDirPath(), QStringLiteral("lessons"),
                            QStringLiteral(SIGNOVA_SOURCE_LESSONS));
}
