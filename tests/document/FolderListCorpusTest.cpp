#include "document/FolderListLoader.h"
#include "document/FolderListReader.h"

#include "document/MemoryDocumentHost.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

// Every seed and every input that once found a fault loads within the fields' limits.
TEST(FolderListCorpus, EverySeedAndRegressionLoadsWithinLimits)
{
    int files = 0;
    for (const char* folder : {"corpus", "fuzz-regressions"}) {
        std::filesystem::path dir = std::filesystem::path(TV_DOCUMENT_TEST_DATA) / folder;
        if (!std::filesystem::exists(dir))
            continue;
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            std::ifstream in(entry.path(), std::ios::binary);
            std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            MemoryDocumentHost host;
            host.runNewSteps();
            CopyText(host.path, "C:\\list.ini");
            FolderListReader reader;
            reader.Attach(text.data(), text.size());
            readDocumentText(reader, host, LeadBytes());
            EXPECT_LE(std::strlen(host.opts.lastBackupDate), 21u) << entry.path();
            EXPECT_LE(std::strlen(host.opts.description), 128u) << entry.path();
            EXPECT_LE(std::strlen(host.opts.destination), 259u) << entry.path();
            ++files;
        }
    }
    EXPECT_GE(files, 10);
}

TEST(FolderListCorpus, TheValidSeedLoadsItsRows)
{
    std::ifstream in(std::filesystem::path(TV_DOCUMENT_TEST_DATA) / "corpus" / "example-crlf.ini", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    MemoryDocumentHost host;
    CopyText(host.path, "C:\\list.ini");
    FolderListReader reader;
    reader.Attach(text.data(), text.size());
    readDocumentText(reader, host, LeadBytes());
    EXPECT_TRUE(host.warnings.empty());
    EXPECT_EQ(host.rows.size(), 2u);
}

}
