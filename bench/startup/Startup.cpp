// startup [RUNS] [WIZARD_ARGUMENT]
//
// How long the conversion wizard takes from the start of its process to its
// first page drawn on the screen, beside the same time for a bare Qt dialog,
// and their ratio (goal: at most 2). Each is started RUNS times (5 unless
// RUNS says otherwise) as a child process of this command, alternately, and
// the medians are compared; a child reports the time from the moment its
// parent started it (the monotonic clock is shared between processes).
//
// The wizard runs the program's own start (the single-instance check, the
// Firebird root, the form, its initialisation) against a small installation
// in a temporary folder: the application information, the installed product
// in the registry store, the program's home. The screen is the one of the
// environment (QT_QPA_PLATFORM, DISPLAY); run it under xvfb-run for a
// display of its own.

#include "app/program/FirstPaint.h"
#include "app/program/WizardMain.h"
#include "platform/ChildProcess.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

std::int64_t Now()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now().time_since_epoch()).count();
}

// Prints the milliseconds since the parent's start mark and ends the
// process at once: what follows the first page is not measured.
void Report(std::int64_t startedAt)
{
    std::printf("%.1f\n", static_cast<double>(Now() - startedAt) / 1000.0);
    std::fflush(stdout);
    std::_Exit(0);
}

int BareDialog(int argc, char** argv, std::int64_t startedAt)
{
    QApplication app(argc, argv);
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("連動ﾃﾞｰﾀの作成")));
    dialog.resize(771, 543);
    CallAfterFirstPaint(dialog, [startedAt] { Report(startedAt); });
    dialog.show();
    return QApplication::exec();
}

void WriteCp932(const fs::path& file, const std::string& utf8)
{
    fs::create_directories(file.parent_path());
    const fs::path plain = file.string() + ".utf8";
    std::ofstream(plain, std::ios::binary) << utf8;
    const std::string command = "iconv -f UTF-8 -t CP932 '" + plain.string() + "' > '" + file.string() + "'";
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("iconv failed for " + file.string());
    fs::remove(plain);
}

// The installation the wizard starts on.
void LayOut(const fs::path& root)
{
    WriteCp932(root / "program" / "AppInfo.ini",
               "[Application]\r\nOEM=Ledrix\r\nRegKey=\\SOFTWARE\\NORVEL\r\n[Zaimu]\r\nAppName=qhzaimu\r\n"
               "AppTitle=Ledrix財務\r\nRegKey=LedrixZaimu\r\nHomeDir=norvel\\ledrixzaimu\r\n"
               "DataDefFile=qhaccdef.fdb\r\nDataFile=qhacc.fdb\r\nDataIniFile=qhacc.ini\r\nDataInitFile=acc%d.gbk\r\n");
    WriteCp932(root / "registry" / "HKEY_LOCAL_MACHINE.ini",
               "[SOFTWARE\\NORVEL\\LedrixZaimu15_0]\r\nProduct=sz:\"Ledrix財務\"\r\nVersion=sz:\"15.0.1\"\r\n");
}

double Run(const std::vector<std::string>& args, const fs::path& root, const fs::path& output)
{
    proc::ChildOptions options;
    options.stdoutTarget = proc::OutputTarget::ToFile(output.string());
    for (const auto& [name, folder] :
         std::vector<std::pair<std::string, std::string>>{{"LEDRIX_PROGRAM_DIR", "program"},
                                                          {"LEDRIX_REGISTRY_DIR", "registry"},
                                                          {"LEDRIX_COMMON_APPDATA", "share"},
                                                          {"LEDRIX_DOCUMENTS", "docs"},
                                                          {"LEDRIX_RUNTIME_DIR", "run"},
                                                          {"FIREBIRD", "firebird"}})
        options.SetEnv(name, (root / folder).string());
    std::vector<std::string> command = args;
    command.push_back(std::to_string(Now()));
    proc::ChildProcess child(command, options);
    child.Start();
    const proc::ExitStatus status = child.Wait();
    std::ifstream in(output);
    double ms = -1;
    if (!status.Succeeded() || !(in >> ms))
        throw std::runtime_error(args[1] + " did not report its first page (" + status.Describe() + ")");
    return ms;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--bare")
        return BareDialog(argc - 2, argv, std::stoll(argv[2]));
    if (argc == 3 && std::string(argv[1]) == "--wizard") {
        const std::int64_t startedAt = std::stoll(argv[2]);
        int childArgc = 1;
        return RunWizardProgram(childArgc, argv, [startedAt] { Report(startedAt); });
    }
    const int runs = argc >= 2 ? std::atoi(argv[1]) : 5;
    if (argc > 2 || runs < 1) {
        std::cerr << "usage: startup [RUNS]\n";
        return 2;
    }
    const fs::path root = fs::temp_directory_path() / ("ledrix-startup-" + std::to_string(::getpid()));
    try {
        LayOut(root);
        const std::string self = fs::read_symlink("/proc/self/exe").string();
        // The first start lays the Firebird root out; that copy is an
        // installation step, not a start, so it runs before the timing.
        Run({self, "--wizard"}, root, root / "out.txt");
        std::vector<double> wizard, bare;
        for (int i = 0; i < runs; ++i) {
            bare.push_back(Run({self, "--bare"}, root, root / "out.txt"));
            wizard.push_back(Run({self, "--wizard"}, root, root / "out.txt"));
        }
        fs::remove_all(root);
        const double w = Median(wizard), b = Median(bare);
        std::printf("runs: %d\n", runs);
        std::printf("wizard, process start to first page: %.1f ms\n", w);
        std::printf("bare Qt dialog, process start to first paint: %.1f ms\n", b);
        std::printf("ratio: %.2f (goal: at most 2.00)\n", w / b);
        return 0;
    } catch (const std::exception& error) {
        std::error_code ignored;
        fs::remove_all(root, ignored);
        std::cerr << "startup: " << error.what() << "\n";
        return 1;
    }
}
