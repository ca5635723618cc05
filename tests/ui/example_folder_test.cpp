#include "ui/example_folder.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A scratch tree: an installed layout usr/bin + usr/share/signova/examples,
// and a source tree's examples/, each present or not.
struct FolderCase {
    const char* name;
    bool installed;
    bool source;
    const char* expected; // relative to the scratch root; nullptr for none
};

class ExampleFolderTest : public ::testing::TestWithParam<FolderCase> {};

TEST_P(ExampleFolderTest, PrefersTheInstalledFolderThenTheSourceTree) {
    const FolderCase& folderCase = GetParam();
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QDir scratch(root.path());
    ASSERT_TRUE(scratch.mkpath(QStringLiteral("usr/bin")));
    if (folderCase.installed) {
        ASSERT_TRUE(scratch.mkpath(QStringLiteral("usr/share/signova/examples")));
    }
    if (folderCase.source) {
        ASSERT_TRUE(scratch.mkpath(QStringLiteral("source/examples")));
    }

    const QString found = FindExampleFolder(scratch.filePath(QStringLiteral("usr/bin")),
                                            scratch.filePath(QStringLiteral("source/examples")));

    const QString expected = folderCase.expected == nullptr
                                 ? QString()
                                 : scratch.filePath(QString::fromLatin1(folderCase.expected));
    EXPECT_EQ(found.toStdString(), expected.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ExampleFolderTest,
    ::testing::Values(FolderCase{"Installed", true, false, "usr/share/signova/examples"},
                      FolderCase{"BuildFolder", false, true, "source/examples"},
                      FolderCase{"Both", true, true, "usr/share/signova/examples"},
                      FolderCase{"Neither", false, false, nullptr}),
    [](const ::testing::TestParamInfo<FolderCase>& info) { return info.param.name; });

TEST(ExampleFolder, AFileNamedLikeTheFolderIsNoFolder) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QDir scratch(root.path());
    ASSERT_TRUE(scratch.mkpath(QStringLiteral("usr/share/signova")));
    QFile file(scratch.filePath(QStringLiteral("usr/share/signova/examples")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    EXPECT_TRUE(
        FindExampleFolder(scratch.filePath(QStringLiteral("usr/bin")), QString()).isEmpty());
}

} // namespace
