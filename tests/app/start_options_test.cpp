// The command line: options, and what a PROJECT argument names.
#include "app/start_options.h"
#include "files.h"

#include <QCoreApplication>
#include <QTemporaryDir>

namespace tarvo::testing {
namespace {

TEST(StartOptions, HelpVersionAndOneProject) {
    QCoreApplication::setApplicationVersion(QStringLiteral("9.8"));
    const struct {
        QStringList args;
        const char* project;
        int exitCode; // -1: the IDE starts
        const char* output;
    } rows[] = {
        {{"tarvoide"}, "", -1, ""},
        {{"tarvoide", "my app"}, "my app", -1, ""},
        {{"tarvoide", "--", "-odd"}, "-odd", -1, ""},
        {{"tarvoide", "--version"}, "", 0, " 9.8\n"},
        {{"tarvoide", "--help"}, "", 0, "[PROJECT]"},
        {{"tarvoide", "-h", "app"}, "", 0, "--version"},
        {{"tarvoide", "a", "b"}, "", 1, "Only one project can be opened."},
        {{"tarvoide", "--bogus"}, "", 1, "bogus"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.args.join(' ').toStdString());
        const StartOptions got = parseStartOptions(r.args);
        EXPECT_EQ(got.project, QString::fromUtf8(r.project));
        EXPECT_EQ(got.exit ? got.exitCode : -1, r.exitCode);
        EXPECT_TRUE(got.output.contains(QString::fromUtf8(r.output))) << got.output.toStdString();
        EXPECT_EQ(asksOnlyForText(r.args), r.exitCode == 0);
    }
}

TEST(StartOptions, AProjectIsAFolderWithMainCOrThatMainC) {
    QTemporaryDir dir;
    const QString root = dir.path();
    writeFile(root + "/App/main.c", "int main;");
    writeFile(root + "/Lib/util.c", "");
    const QString main = QDir::toNativeSeparators(root + "/App/main.c");
    const std::pair<QString, QString> rows[] = {
        {root + "/App", main},
        {root + "/App/", main},
        {root + "/Lib/../App/./main.c", main},
        {root + "/Lib", "The folder " + QDir::toNativeSeparators(root + "/Lib") + " holds no"},
        {root + "/Lib/util.c", "is neither a project folder nor its main.c."},
        {root + "/None", "None does not exist."},
    };
    for (const auto& [argument, expected] : rows) {
        QString problem;
        const QString got = projectMainFile(argument, &problem);
        EXPECT_TRUE(got.isEmpty() != problem.isEmpty()) << argument.toStdString();
        EXPECT_TRUE((got + problem).startsWith(expected) || problem.endsWith(expected))
            << (got + problem).toStdString();
    }
}

} // namespace
} // namespace tarvo::testing
