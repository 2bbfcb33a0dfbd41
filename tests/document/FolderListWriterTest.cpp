#include "document/FolderListWriter.h"

#include "document/MemoryDocumentHost.h"
#include "document/StringLineSink.h"

#include <gtest/gtest.h>

namespace {

const char kExample[] =
    "[Program]\r\nTrellisvault\r\n[Date]\r\n03/14/06  09:05 PM\r\n[Description]\r\nWeekly backup of the letters\r\n"
    "[CopyUpdated]\r\nTRUE\r\n[CopyHidden]\r\nFALSE\r\n[CopySystem]\r\nFALSE\r\n[Dest]\r\nE:\\\r\n[Folders]\r\n"
    "C:\\Data\\Letters\\*.doc, *.txt   /subfolders\r\nC:\\Projects\\*.*\r\n";

void FillExample(MemoryDocumentHost& host)
{
    CopyText(host.opts.lastBackupDate, "03/14/06  09:05 PM");
    CopyText(host.opts.description, "Weekly backup of the letters");
    CopyText(host.opts.destination, "E:\\");
    host.InsertRow("C:\\Projects\\*.*", false);
    host.InsertRow("C:\\Data\\Letters\\*.doc, *.txt", true);
}

TEST(FolderListWriter, WritesTheSectionsInTheirFixedOrder)
{
    MemoryDocumentHost host;
    FillExample(host);
    StringLineSink sink;
    ASSERT_TRUE(writeDocumentText(host, sink));
    EXPECT_EQ(sink.text, kExample);
}

TEST(FolderListWriter, AnEmptyDocumentWritesEmptyValuesAndTheDefaults)
{
    MemoryDocumentHost host;
    StringLineSink sink;
    ASSERT_TRUE(writeDocumentText(host, sink));
    EXPECT_EQ(sink.text,
        "[Program]\r\nTrellisvault\r\n[Date]\r\n\r\n[Description]\r\n\r\n[CopyUpdated]\r\nTRUE\r\n[CopyHidden]\r\n"
        "FALSE\r\n[CopySystem]\r\nFALSE\r\n[Dest]\r\n\r\n[Folders]\r\n");
}

TEST(FolderListWriter, StopsAtTheFirstLineThatCannotBeWritten)
{
    MemoryDocumentHost host;
    FillExample(host);
    for (int room = 0; room < 17; ++room) {
        StringLineSink sink;
        sink.room = room;
        EXPECT_FALSE(writeDocumentText(host, sink)) << room << " lines fitted";
        EXPECT_EQ(sink.text, std::string(kExample).substr(0, sink.text.size()));
    }
    StringLineSink whole;
    whole.room = 17;
    EXPECT_TRUE(writeDocumentText(host, whole));
}

}
