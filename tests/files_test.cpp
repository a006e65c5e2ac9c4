// files_test.cpp -- text files line by line, files that cannot be opened, and the data table.
#include <gtest/gtest.h>

#include <cerrno>

#include "runtime/data_table.h"
#include "runtime/files.h"
#include "tests/harness.h"

namespace {

class Files : public ::testing::Test {
  protected:
    void SetUp() override { enter_scratch_folder(); }
};

// Reads `count` lines of a file, one after another.
std::vector<TString> read_lines(const TString& path, int count) {
    auto stream = open_read_file(path);
    std::vector<TString> lines;
    for (int i = 0; i < count; ++i) lines.push_back(read_line(stream.get()));
    return lines;
}

TEST_F(Files, WriteLineEndsEachLineWithCrLfAndReadsBackThenEmptyForEver) {
    auto stream = open_write_file(u"data/lines.txt");
    EXPECT_EQ(write_line(stream.get(), u"abc"), 1);
    EXPECT_EQ(write_line(stream.get(), u""), 1);
    EXPECT_EQ(stream->position, 7);
    EXPECT_EQ(stream->size, 7);
    close_file(stream.get());
    close_file(stream.get()); // a second close does nothing
    EXPECT_EQ(read_file("data/lines.txt"), "abc\r\n\r\n");

    auto in = open_read_file(u"data/lines.txt");
    EXPECT_EQ(in->size, 7);
    EXPECT_EQ(read_line(in.get()), u"abc");
    EXPECT_EQ(at_end(in.get()), 0);
    EXPECT_EQ(read_line(in.get()), u"");
    EXPECT_EQ(at_end(in.get()), 1);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(read_line(in.get()), u"");
}

TEST_F(Files, LineEndsAndBytesReadAsTheRulesSay) {
    struct {
        std::string bytes;
        std::vector<TString> lines;
    } cases[] = {
        {"one\ntwo\n", {u"one", u"two", u""}},             // LF only
        {"one\r\ntwo\r\n", {u"one", u"two", u""}},         // CR LF
        {"on\re\r\r\ntwo", {u"one", u"two", u""}},         // CR dropped anywhere; no last LF
        {std::string("ab\0cd\n", 6), {u"ab", u"cd", u""}}, // a 0 byte ends a line
        {"\xe4\xff\x80\n", {u"\u00e4\u00ff\u0080", u""}},  // bytes as Latin-1 characters
        {"", {u"", u""}},
        {std::string(5000, 'x') + "\ny", {TString(5000, u'x'), u"y"}}, // no length limit
    };
    for (const auto& c : cases) {
        write_file("data/in.txt", c.bytes);
        EXPECT_EQ(read_lines(u"data/in.txt", int(c.lines.size())), c.lines) << c.bytes;
    }
}

TEST_F(Files, WritingKeepsLowBytesOfEachCharacter) {
    auto stream = open_write_file(u"data/out.txt");
    write_line(stream.get(), u"\u00e4\u0141x"); // U+0141 is written as its low byte 0x41
    stream.reset();                             // released unclosed: closed on release
    EXPECT_EQ(read_file("data/out.txt"), "\xe4\x41x\r\n");
}

TEST_F(Files, AFileThatCannotBeOpenedReadsEmptyAndWritesNothing) {
    auto missing = open_read_file(u"data/none.txt");
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(missing->handle, nullptr);
    EXPECT_EQ(missing->open_error, ENOENT);
    EXPECT_EQ(read_line(missing.get()), u"");
    EXPECT_EQ(at_end(missing.get()), 1);
    close_file(missing.get());

    write_file("plain", "x"); // a file where a folder would have to be
    auto unwritable = open_write_file(u"plain/sub/out.txt");
    ASSERT_NE(unwritable, nullptr);
    EXPECT_EQ(unwritable->handle, nullptr);
    EXPECT_EQ(write_line(unwritable.get(), u"abc"), 0);
    EXPECT_EQ(at_end(unwritable.get()), 1);
    EXPECT_EQ(read_line(nullptr), u"");
    EXPECT_EQ(write_line(nullptr, u"x"), 0);
}

TEST_F(Files, WritingCreatesMissingFoldersAndBackslashesAreSeparators) {
    auto stream = open_write_file(u"new\\deeper/f\u00fcr.txt");
    EXPECT_EQ(write_line(stream.get(), u"1"), 1);
    close_file(stream.get());
    EXPECT_EQ(read_file("new/deeper/f\xc3\xbcr.txt"), "1\r\n");
}

TEST_F(Files, OpeningForWritingTruncates) {
    write_file("data/t.txt", "old contents\n");
    auto stream = open_write_file(u"data/t.txt");
    EXPECT_EQ(stream->size, 0);
    write_line(stream.get(), u"n");
    close_file(stream.get());
    EXPECT_EQ(read_file("data/t.txt"), "n\r\n");
}

TEST(DataTable, ItemsConvertToIntByType) {
    const TDataItem table[] = {
        {TDataItem::INT, -5, nullptr},      {TDataItem::BYTE, -1, nullptr},
        {TDataItem::SHORT, -2, nullptr},    {TDataItem::FLOAT, -2.75, nullptr},
        {TDataItem::DOUBLE, 3.99, nullptr}, {TDataItem::STRING, 0, u" -$10x"},
        {TDataItem::Type('?'), 7, nullptr}, {TDataItem::END, 0, nullptr},
    };
    restore_data(table);
    const int expected[] = {-5, 255, 65534, -2, 3, -16, 0};
    for (int value : expected) EXPECT_EQ(read_data_item(), value);
    EXPECT_EQ(data_cursor, &table[7]);
    EXPECT_EQ(read_data_item(), 0); // the end marker stops the cursor
    EXPECT_EQ(data_cursor, &table[7]);
    restore_data(table + 5);
    EXPECT_EQ(read_data_item(), -16);
}

} // namespace
