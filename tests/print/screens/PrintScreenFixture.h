#pragma once
// The print engine started on a printer of the test's own (A4 with a 5 mm
// unprintable border), the error log in a folder of the test, print files
// written into it, and printing to PDF files there.

#include "platform/Cp932.h"
#include "print/FolDef.h"
#include "print/PrintEngine.h"
#include "print/PrintHost.h"
#include "print/QtPrintJobSink.h"
#include "support/ScopedEnv.h"
#include "FakePrinter.h"
#include "PrintFiles.h"
#include "RecordingPrintHost.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

class PrintScreenFixture : public ::testing::Test {
protected:
    using Page = std::vector<std::string>;

    void SetUp() override
    {
        namespace fs = std::filesystem;
        folder = fs::temp_directory_path() / ("printscreen-" + std::to_string(::getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        documents = std::make_unique<ScopedEnv>("LEDRIX_DOCUMENTS", folder.string());
        printer.Papers = {{9, "A4", 2970, 2100}};
        printer.Mode.PaperSize = 9;
        printer.Mode.Fields = fol::DM_ORIENTATION | fol::DM_PAPERSIZE | fol::DM_COPIES | fol::DM_COLLATE;
        printer.PrintableWidth = 200;
        printer.PrintableHeight = 287;
        ASSERT_TRUE(fol::StartPrintEngine(std::make_unique<fol::FakeBackend>(printer)));
        sink = std::make_unique<fol::QtPrintJobSink>((folder / "job").string());
        fol::SetPrintHost(&host);
        fol::SetPrintJobSink(sink.get());
    }
    void TearDown() override
    {
        fol::SetPrintJobSink(nullptr);
        fol::SetPrintHost(nullptr);
        fol::EndPrintEngine();
        std::filesystem::remove_all(folder);
    }

    std::string WriteFile(const std::string& name, const std::vector<Page>& pages)
    {
        const std::string path = (folder / name).string();
        fol::WritePrintFile(path, pages);
        return path;
    }

    // The shared record showing the file, as the writer hands it over.
    fol::TFOLDEF& Show(const std::string& data)
    {
        fol::TFOLDEF& r = fol::FolDef();
        r = fol::TFOLDEF{};
        r.SetDataFile(data);
        r.SetTitle("テスト");
        r.PaperSize = 9;
        r.PrintDialog = false;
        return r;
    }

    std::filesystem::path folder;
    std::unique_ptr<ScopedEnv> documents;
    fol::FakePrinter printer;
    fol::RecordingPrintHost host;
    std::unique_ptr<fol::QtPrintJobSink> sink;
};
