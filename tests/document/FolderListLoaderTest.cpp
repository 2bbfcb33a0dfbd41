#include "document/FolderListLoader.h"
#include "document/FolderListReader.h"

#include "document/MemoryDocumentHost.h"
#include "support/CodePages.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

const char kExample[] =
    "[Program]\r\nTrellisvault\r\n[Date]\r\n03/14/06  09:05 PM\r\n[Description]\r\nWeekly backup of the letters\r\n"
    "[CopyUpdated]\r\nTRUE\r\n[CopyHidden]\r\nFALSE\r\n[CopySystem]\r\nFALSE\r\n[Dest]\r\nE:\\\r\n[Folders]\r\n"
    "C:\\Data\\Letters\\*.doc, *.txt   /subfolders\r\nC:\\Projects\\*.*\r\n";

// Loads the text as the document commands do: the New steps first, then the reader.
void Load(MemoryDocumentHost& host, const std::string& text, const char* path = "C:\\Lists\\home.ini",
          const LeadBytes& codePage = LeadBytes())
{
    host.runNewSteps();
    CopyText(host.path, path);
    host.modified = true;
    FolderListReader reader;
    reader.Attach(text.data(), text.size());
    readDocumentText(reader, host, codePage);
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    text.replace(text.find(from), from.size(), to);
    return text;
}

TEST(FolderListLoader, TheWrittenExampleLoadsWhole)
{
    MemoryDocumentHost host;
    Load(host, kExample);
    EXPECT_TRUE(host.warnings.empty());
    EXPECT_STREQ(host.opts.lastBackupDate, "03/14/06  09:05 PM");
    EXPECT_STREQ(host.opts.description, "Weekly backup of the letters");
    EXPECT_TRUE(host.opts.copyUpdated);
    EXPECT_FALSE(host.opts.copyHidden);
    EXPECT_FALSE(host.opts.copySystem);
    EXPECT_STREQ(host.opts.destination, "E:\\");
    EXPECT_EQ(host.EntryTexts(), (Texts{"C:\\Data\\Letters\\*.doc, *.txt", "C:\\Projects\\*.*"}));
    ASSERT_EQ(host.rows.size(), 2u);
    EXPECT_TRUE(host.rows[0].subfolders);
    EXPECT_FALSE(host.rows[1].subfolders);
    EXPECT_FALSE(host.modified) << "inserting rows set it; loading clears it";
    EXPECT_STREQ(host.path, "C:\\Lists\\home.ini");
}

TEST(FolderListLoader, TextsWithoutDateOrDestAreRejectedWithTheirPathAsCaption)
{
    const std::string withoutDest = Replaced(kExample, "[Dest]", "[Dust]");
    const std::string withoutDate = Replaced(kExample, "[Date]", "[Data]");
    for (const std::string& text : {std::string(), withoutDest, withoutDate}) {
        MemoryDocumentHost host;
        Load(host, text, "C:\\Lists\\odd.ini");
        ASSERT_EQ(host.warnings.size(), 1u);
        EXPECT_EQ(host.warnings[0].text, "Not a Trellisvault data file");
        EXPECT_EQ(host.warnings[0].caption, "C:\\Lists\\odd.ini");
        EXPECT_STREQ(host.path, "");
        EXPECT_TRUE(host.rows.empty());
        EXPECT_STREQ(host.opts.lastBackupDate, "");
        EXPECT_STREQ(host.opts.description, "");
        EXPECT_STREQ(host.opts.destination, "");
        EXPECT_TRUE(host.opts.copyUpdated);
        EXPECT_FALSE(host.modified);
    }
}

TEST(FolderListLoader, WithoutFoldersTheOptionsLoadAndTheDocumentBecomesUntitledSilently)
{
    MemoryDocumentHost host;
    Load(host, "[Date]\r\n\r\n[Dest]\r\nF:\\Backups\\\r\n[CopyHidden]\r\ntrue\r\n");
    EXPECT_TRUE(host.warnings.empty());
    EXPECT_STREQ(host.opts.destination, "F:\\Backups\\");
    EXPECT_TRUE(host.opts.copyHidden);
    EXPECT_STREQ(host.opts.lastBackupDate, "");
    EXPECT_TRUE(host.rows.empty());
    EXPECT_STREQ(host.path, "");
}

TEST(FolderListLoader, SectionsLoadInAnyOrderAndCaseAndOnlyTheFirstCounts)
{
    MemoryDocumentHost host;
    Load(host,
        "[folders]\nC:\\B\\*.*\nc:\\a\\*.txt/subfolders\n[dest]\nE:\n[DEST]\nF:\\\n[copyupdated]\nFalse\n"
        "[CopySYSTEM]\nTRUE\n[date]\n01/02/03  04:05 AM\n[Description]\n[Program]\nOther\n");
    EXPECT_TRUE(host.warnings.empty());
    EXPECT_STREQ(host.opts.destination, "E:\\") << "E: gets its backslash; the second Dest is ignored";
    EXPECT_FALSE(host.opts.copyUpdated);
    EXPECT_TRUE(host.opts.copySystem);
    EXPECT_STREQ(host.opts.lastBackupDate, "01/02/03  04:05 AM");
    EXPECT_STREQ(host.opts.description, "") << "a header right after the header: no value";
    EXPECT_EQ(host.EntryTexts(), (Texts{"c:\\a\\*.txt", "C:\\B\\*.*"})) << "rows take their sorted place";
    EXPECT_TRUE(host.rows[0].subfolders);
}

TEST(FolderListLoader, ValuesAreTakenAsTheyStand)
{
    MemoryDocumentHost host;
    Load(host,
        "[Date]\r\n  spaced  \r\n[Description]\r\n[not a description\r\n[Dest]\r\ne:\\Backup\r\n[CopyUpdated]\r\n"
        "TRUE \r\n[CopyHidden]\r\n1\r\n[Folders]\r\n\r\n \t \r\n   /subfolders\r\n  C:\\Spaced\\*.*  \r\n[Next]\r\nC:\\After\\*.*\r\n");
    EXPECT_STREQ(host.opts.lastBackupDate, "  spaced  ");
    EXPECT_STREQ(host.opts.description, "") << "a line beginning with [ is a header";
    EXPECT_STREQ(host.opts.destination, "e:\\Backup\\") << "the only change: the separator copies go below";
    EXPECT_TRUE(host.opts.copyUpdated) << "a trailing space gives the default";
    EXPECT_FALSE(host.opts.copyHidden);
    EXPECT_EQ(host.EntryTexts(), (Texts{"  C:\\Spaced\\*.*  "})) << "blank lines are no entries; entries end at the next header";
}

TEST(FolderListLoader, ADestinationWithoutItsSeparatorGetsOne)
{
    const std::string fits(256, 'f');
    const std::string full(259, 'f');
    const struct {
        std::string stored;
        std::string loaded;
    } cases[] = {
        {"E:", "E:\\"},
        {"E:\\", "E:\\"},
        {"E:\\Backups", "E:\\Backups\\"},
        {"E:\\Backups\\", "E:\\Backups\\"},
        {"E:/Backups/", "E:/Backups/"},
        {"\\\\tvserver\\share", "\\\\tvserver\\share\\"},
        {"C:" + fits, "C:" + fits + "\\"},
        {"C:" + fits + "\\", "C:" + fits + "\\"},
        {full, ""},
    };
    for (const auto& c : cases) {
        MemoryDocumentHost host;
        Load(host, "[Date]\r\n\r\n[Dest]\r\n" + c.stored + "\r\n[Folders]\r\n");
        EXPECT_EQ(c.loaded, host.opts.destination) << c.stored;
    }
    // E:\表 ends in 5C in code page 932; E:\ and a lone lead byte is a character cut short
    MemoryDocumentHost host;
    Load(host, "[Date]\r\n\r\n[Dest]\r\nE:\\\x95\x5C\r\n[Folders]\r\n", "C:\\Lists\\home.ini", CodePage932());
    EXPECT_STREQ("E:\\\x95\x5C\\", host.opts.destination);
    Load(host, "[Date]\r\n\r\n[Dest]\r\nE:\\\x95\r\n[Folders]\r\n", "C:\\Lists\\home.ini", CodePage932());
    EXPECT_STREQ("", host.opts.destination);
}

TEST(FolderListLoader, OverlongFieldsAreCutToFitAndOverlongEntriesKeptAsWrittenWithAWarning)
{
    std::string longDate(40, '1');
    std::string longDescription(200, 'd');
    std::string longDest(400, 'e');
    std::string longFolder = "C:\\" + std::string(300, 'f') + "   /subfolders";
    MemoryDocumentHost host;
    Load(host, "[Date]\r\n" + longDate + "\r\n[Description]\r\n" + longDescription + "\r\n[Dest]\r\n" + longDest +
        "\r\n[Folders]\r\n" + longFolder + "\r\nC:\\Short\\*.*\r\n");
    EXPECT_EQ(std::string(host.opts.lastBackupDate), std::string(21, '1'));
    EXPECT_EQ(std::string(host.opts.description), std::string(128, 'd'));
    EXPECT_STREQ(host.opts.destination, "") << "cut to fit, it has no room for its separator";
    ASSERT_EQ(host.rows.size(), 2u);
    EXPECT_EQ(host.EntryTexts()[0], "C:\\" + std::string(300, 'f'));
    EXPECT_TRUE(host.rows[0].subfolders);
    EXPECT_EQ(host.EntryTexts()[1], "C:\\Short\\*.*");
    ASSERT_EQ(host.warnings.size(), 1u);
    EXPECT_EQ(host.warnings[0].text, "Entries longer than 243 characters are kept as written, but not backed up:\n\n" + longFolder.substr(0, 303));
}

TEST(FolderListLoader, MegabytesOfOneLineOrOfRowsAreReadWithoutOverrun)
{
    std::string noLineEnds = "[Date][Dest][Folders]" + std::string(4 * 1024 * 1024, 'x');
    MemoryDocumentHost oneLine;
    Load(oneLine, noLineEnds);
    EXPECT_EQ(oneLine.warnings.size(), 1u) << "one line holds only the Date header";

    std::string many = "[Date]\r\n\r\n[Dest]\r\n\r\n[Folders]\r\n";
    for (int i = 0; i < 10000; ++i) {
        char folder[32];
        std::snprintf(folder, sizeof folder, "C:\\Folder%05d\\", i);
        many += folder + std::string(220, 'w') + "\r\n";
    }
    ASSERT_GT(many.size(), 2u * 1024 * 1024);
    MemoryDocumentHost host;
    Load(host, many);
    EXPECT_EQ(host.rows.size(), 10000u);
    EXPECT_TRUE(host.warnings.empty());
}

TEST(FolderListLoader, ZeroBytesEndAValueButNotTheFile)
{
    static const char bytes[] = "[Date]\r\n03/14/06\0junk\r\n[Dest]\r\nE:\0\\\r\n[Folders]\r\nC:\\A\\*.*\0/subfolders\r\nC:\\B\\*.*\r\n";
    std::string text(bytes, sizeof bytes - 1);
    MemoryDocumentHost host;
    Load(host, text);
    EXPECT_STREQ(host.opts.lastBackupDate, "03/14/06");
    EXPECT_STREQ(host.opts.destination, "E:\\");
    EXPECT_EQ(host.EntryTexts(), (Texts{"C:\\A\\*.*", "C:\\B\\*.*"}));
    EXPECT_FALSE(host.rows[0].subfolders);
}

}
