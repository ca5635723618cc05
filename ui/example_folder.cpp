#include "ui/example_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString FindExampleFolder(const QString& programFolder, const QString& sourceExamples) {
    const QString installed =
        QDir::cleanPath(programFolder + QStringLiteral("/../share/signova/examples"));
    for (const QString& folder : {installed, sourceExamples}) {
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return QDir(folder).absolutePath();
    }
    return {};
}

QString ExampleFolder() {
    return FindExampleFolder(QCoreApplication::applicationDirPath(),
                             QStringLiteral(SIGNOVA_SOURCE_EXAMPLES));
}
