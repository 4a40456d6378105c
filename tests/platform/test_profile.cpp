// The three private-profile operations, table by table. The same tables run
// natively against our own INI code and on Windows against the system's
// profile functions, so a case that passes on both shows the two agree.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/profile.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;
using platform::ProfileDeleteSection;
using platform::ProfileGetString;
using platform::ProfileWriteString;

std::optional<std::string> FileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void SetFileBytes(const fs::path& path, const std::optional<std::string>& bytes)
{
    fs::remove(path);
    if (bytes) {
        std::ofstream(path, std::ios::binary) << *bytes;
    }
}

// Shows control characters, so that CR and NUL are visible in failures.
std::string Visible(const std::optional<std::string>& bytes)
{
    if (!bytes) {
        return "<no file>";
    }
    std::string out;
    for (const unsigned char c : *bytes) {
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c < 32 || c >= 127) {
            out += "\\x" + std::string(1, "0123456789abcdef"[c >> 4]) + "0123456789abcdef"[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string Binary()
{
    std::string bytes;
    for (int i = 0; i < 512; ++i) {
        bytes += static_cast<char>((i * 37 + 11) & 0xff);
    }
    return bytes;
}

const std::string LongText(100000, 'x');
const std::string LongName(1000, 'k');  // Windows takes no names beyond 32767 characters

// Removes a directory tree, read-only files included (Windows refuses to
// delete those).
void RemoveTree(const fs::path& dir)
{
    std::error_code ignored;
    for (const auto& entry : fs::recursive_directory_iterator(dir, ignored)) {
        fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ignored);
    }
    fs::remove_all(dir, ignored);
}

class Profile : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() / ("simulator-profile-" + std::string(test->name()));
        RemoveTree(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { RemoveTree(dir_); }
    // A fresh file per case: the system may cache a profile file it has read.
    fs::path File(const std::string& name) const { return dir_ / (name + ".ini"); }

    fs::path dir_;
};

struct ReadCase {
    const char* name;
    std::optional<std::string> content;  // none: no file
    const char* section;
    const char* key;
    const char* defaultText;
    std::uint32_t size;
    std::string expected;
};

const std::string Basic = "[S]\r\nK=hello\r\nEmpty=\r\n";

TEST_F(Profile, ReadGivesValueCutToSizeOrDefault)
{
    const ReadCase cases[] = {
        {"whole value", Basic, "S", "K", "d", 64, "hello"},
        {"cut to size - 1", Basic, "S", "K", "d", 4, "hel"},
        {"exactly fits", Basic, "S", "K", "d", 6, "hello"},
        {"size 1 leaves only the terminator", Basic, "S", "K", "d", 1, ""},
        {"empty value, default unused", Basic, "S", "Empty", "d", 64, ""},
        {"missing key gives default", Basic, "S", "M", "dflt", 64, "dflt"},
        {"missing section gives default", Basic, "T", "K", "dflt", 64, "dflt"},
        {"missing file gives default", std::nullopt, "S", "K", "dflt", 64, "dflt"},
        {"empty file gives default", "", "S", "K", "dflt", 64, "dflt"},
        {"default cut to size - 1", Basic, "S", "M", "abcdefgh", 4, "abc"},
        {"default loses trailing blanks", Basic, "S", "M", "d  ", 64, "d"},
        {"default keeps leading blanks", std::nullopt, "S", "M", "  d  ", 64, "  d"},
        {"default of blanks keeps one", Basic, "S", "M", "   ", 64, " "},
        {"null default is empty", Basic, "S", "M", nullptr, 64, ""},
        {"quoted default unquoted", std::nullopt, "S", "M", "\"q\"", 64, "q"},
        {"value trimmed", "[S]\n  K  =  v w  \n", "S", "K", "d", 64, "v w"},
        {"tabs trimmed", "[S]\n\tK\t=\tv\t\n", "S", "K", "d", 64, "v"},
        {"double quotes stripped", "[S]\nK=\"q\"\n", "S", "K", "d", 64, "q"},
        {"single quotes stripped", "[S]\nK='q'\n", "S", "K", "d", 64, "q"},
        {"quotes inside stay", "[S]\nK=\" a \"\n", "S", "K", "d", 64, " a "},
        {"quoted value cut", "[S]\nK=\"hello\"\n", "S", "K", "d", 5, "hell"},
        {"empty quotes give empty", "[S]\nK=\"\"\n", "S", "K", "d", 64, ""},
        {"unmatched quotes stay", "[S]\nK=\"q'\n", "S", "K", "d", 64, "\"q'"},
        {"lone quote stays", "[S]\nK=\"\n", "S", "K", "d", 64, "\""},
        {"section and key ignore case", "[s]\nk=v\n", "S", "K", "d", 64, "v"},
        {"argument names trimmed", "[s]\nk=v\n", " S ", " K ", "d", 64, "v"},
        {"section header trimmed", "  [ s ]  junk\nk=v\n", "s", "k", "d", 64, "v"},
        {"header ends at last bracket", "[a]b]\nk=v\n", "a]b", "k", "d", 64, "v"},
        {"header without bracket is no header", "[s\nk=v\n", "s", "k", "d", 64, "d"},
        {"first of duplicate keys", "[s]\nk=1\nk=2\n", "s", "k", "d", 64, "1"},
        {"first of duplicate sections", "[s]\na=1\n[s]\nk=2\n", "s", "k", "d", 64, "d"},
        {"line without = is no value", "[s]\nk\n", "s", "k", "d", 64, "d"},
        {"comment line is not the key", "[s]\n;k=1\n", "s", "k", "d", 64, "d"},
        {"value holds =", "[s]\nk=a=b\n", "s", "k", "d", 64, "a=b"},
        {"keys before any section", "k=1\n[s]\n", "", "k", "d", 64, "1"},
        {"CR line ends", "[s]\rk=1\r", "s", "k", "d", 64, "1"},
        {"UTF-8 mark skipped", "\xEF\xBB\xBF[s]\nk=1\n", "s", "k", "d", 64, "1"},
        {"8-bit text kept", "[s]\nk=\xE4\xF6\n", "s", "k", "d", 64, "\xE4\xF6"},
        {"Ctrl-Z is a blank", "[s]\nk=\x1a" "1\x1a\n", "s", "k", "d", 64, "1"},
        {"NUL ends a value", std::string("[s]\nk=ab\0cd\nm=2\n", 16), "s", "k", "d", 64, "ab"},
        {"NUL line skipped", std::string("[s]\n\0\0\0\nm=2\n", 12), "s", "m", "d", 64, "2"},
        {"binary before a section", Binary() + "\n[s]\nk=v\n", "s", "k", "d", 64, "v"},
        {"binary file gives default", Binary(), "s", "k", "d", 64, "d"},
        {"long value cut", "[s]\nk=" + LongText + "\n", "s", "k", "d", 64, std::string(63, 'x')},
        {"long line before the key", "[s]\n" + LongText + "\nk=v\n", "s", "k", "d", 64, "v"},
        {"long key name", "[s]\n" + LongName + "=1\n", "s", LongName.c_str(), "d", 64, "1"},
    };
    int n = 0;
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = File("read" + std::to_string(n++));
        SetFileBytes(file, c.content);
        std::vector<char> buffer(c.size + 8, '#');
        const std::uint32_t count =
            ProfileGetString(c.section, c.key, c.defaultText, buffer.data(), c.size, file.string().c_str());
        EXPECT_EQ(count, c.expected.size());
        EXPECT_EQ(std::string(buffer.data()), c.expected);
        EXPECT_EQ(std::string(buffer.begin() + c.size, buffer.end()), std::string(8, '#')) << "wrote past size";
    }
}

TEST_F(Profile, ReadFromPlacesThatAreNoFileGivesDefault)
{
    const fs::path places[] = {dir_ / "no-such-dir" / "x.ini", dir_, dir_ / "x.ini" / "below-a-file.ini"};
    std::ofstream(dir_ / "x.ini") << "[S]\nK=v\n";
    for (const fs::path& place : places) {
        SCOPED_TRACE(place.string());
        char buffer[16];
        EXPECT_EQ(ProfileGetString("S", "K", "dflt", buffer, sizeof buffer, place.string().c_str()), 4u);
        EXPECT_STREQ(buffer, "dflt");
    }
}

TEST_F(Profile, ReadWithAbsentArguments)
{
    const std::string file = File("x").string();
    SetFileBytes(file, "[S]\nK=v\n");
    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(ProfileGetString("S", "K", "d", buffer, 0, file.c_str()), 0u);
    EXPECT_EQ(buffer[0], '#') << "size 0 must place nothing";
    EXPECT_EQ(ProfileGetString("S", "K", "d", nullptr, 16, file.c_str()), 0u);

    struct Case {
        const char* name;
        const char* section;
        const char* key;
        const char* file;
        const char* expected;
    };
    const Case cases[] = {
        {"null file reads as missing", "S", "K", nullptr, "dflt"},
        {"empty file name reads as missing", "S", "K", "", "dflt"},
        {"null section gives empty", nullptr, "K", file.c_str(), ""},
        {"null key gives empty", "S", nullptr, file.c_str(), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(ProfileGetString(c.section, c.key, "dflt", buffer, sizeof buffer, c.file), std::strlen(c.expected));
        EXPECT_STREQ(buffer, c.expected);
    }
}

struct WriteCase {
    const char* name;
    std::optional<std::string> before;  // none: no file
    const char* section;
    const char* key;      // null with value null: delete the section
    const char* value;    // null with a key: delete the key
    std::optional<std::string> after;  // none: no file
};

TEST_F(Profile, WriteAndDeleteGiveTheseFiles)
{
    const WriteCase cases[] = {
        {"creates the file", std::nullopt, "S", "K", "v", "[S]\r\nK=v\r\n"},
        {"fills an empty file", "", "S", "K", "v", "[S]\r\nK=v\r\n"},
        {"adds a key at the end of its section", "[S]\r\nA=1\r\n[T]\r\nB=2\r\n", "s", "K", "v",
         "[S]\r\nA=1\r\nK=v\r\n[T]\r\nB=2\r\n"},
        {"adds a section at the end", "[S]\nA=1", "T", "K", "v", "[S]\r\nA=1\r\n[T]\r\nK=v\r\n"},
        {"replaces a value, keeping the key's name", "[S]\r\nKey = old \r\n", "S", "KEY", "new", "[S]\r\nKey=new\r\n"},
        {"drops leading blanks of the value", std::nullopt, "S", "K", "  v  ", "[S]\r\nK=v  \r\n"},
        {"writes an empty value", std::nullopt, "S", "K", "", "[S]\r\nK=\r\n"},
        {"rewrites LF lines with CRLF, without blank lines", "[S]\nK=v\n; note\n\n\n[T]\n", "S", "K", "w",
         "[S]\r\nK=w\r\n; note\r\n[T]\r\n"},
        {"leaves an unchanged value's file alone", "[S]\nK= v\n", "S", "K", "v", "[S]\nK= v\n"},
        {"keeps lines before the first section", "x=1\n[S]\nA=1\n", "S", "A", "2", "x=1\r\n[S]\r\nA=2\r\n"},
        {"keeps the UTF-8 mark", "\xEF\xBB\xBF[S]\nA=1\n", "S", "A", "2", "\xEF\xBB\xBF[S]\r\nA=2\r\n"},
        {"null value deletes the key", "[S]\r\nA=1\r\nB=2\r\n", "S", "a", nullptr, "[S]\r\nB=2\r\n"},
        {"deleting a missing key leaves the file alone", "[S]\nA=1\n", "S", "B", nullptr, "[S]\nA=1\n"},
        {"deleting a key creates no file", std::nullopt, "S", "B", nullptr, std::nullopt},
        {"deletes a section, keeping the others", "[S]\r\nA=1\r\n\r\n[T]\r\nB=2\r\n\r\n[U]\r\nC=3\r\n", "t", nullptr,
         nullptr, "[S]\r\nA=1\r\n[U]\r\nC=3\r\n"},
        {"deleting a missing section leaves the file alone", "[S]\nA=1\n", "T", nullptr, nullptr, "[S]\nA=1\n"},
        {"deleting a section creates no file", std::nullopt, "T", nullptr, nullptr, std::nullopt},
        {"NUL ends a value that is kept", std::string("[S]\nA=1\0x\nB=2\n", 14), "S", "B", "3",
         "[S]\r\nA=1\r\nB=3\r\n"},
        {"long lines survive", "[S]\n" + LongText + "\nA=" + LongText + "\n", "S", "B", "1",
         "[S]\r\n" + LongText + "\r\nA=" + LongText + "\r\nB=1\r\n"},
    };
    int n = 0;
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = File("write" + std::to_string(n++));
        SetFileBytes(file, c.before);
        if (c.key == nullptr && c.value == nullptr) {
            ProfileDeleteSection(c.section, file.string().c_str());
        } else {
            ProfileWriteString(c.section, c.key, c.value, file.string().c_str());
        }
        EXPECT_EQ(Visible(FileBytes(file)), Visible(c.after));
    }
}

TEST_F(Profile, WritesWithAbsentArgumentsChangeNothing)
{
    const fs::path file = File("x");
    const std::string before = "[S]\r\nK=v\r\n";
    SetFileBytes(file, before);
    const std::string name = file.string();
    ProfileWriteString(nullptr, "K", "w", name.c_str());
    ProfileWriteString("S", nullptr, "w", name.c_str());
    ProfileWriteString("S", nullptr, nullptr, name.c_str());
    ProfileDeleteSection(nullptr, name.c_str());
    ProfileWriteString("S", "K", "w", nullptr);
    ProfileDeleteSection("S", nullptr);
    ProfileWriteString("S", "K", "w", "");
    EXPECT_EQ(Visible(FileBytes(file)), Visible(before));
}

TEST_F(Profile, WritesWhereNoFileCanBeWrittenFailQuietly)
{
    const fs::path missingDir = dir_ / "no-such-dir" / "x.ini";
    ProfileWriteString("S", "K", "v", missingDir.string().c_str());
    ProfileDeleteSection("S", missingDir.string().c_str());
    EXPECT_FALSE(fs::exists(missingDir.parent_path()));

    ProfileWriteString("S", "K", "v", dir_.string().c_str());
    EXPECT_TRUE(fs::is_directory(dir_));
}

TEST_F(Profile, ReadOnlyFileIsLeftAlone)
{
    const fs::path file = File("read-only");
    const std::string before = "[S]\r\nK=v\r\n";
    SetFileBytes(file, before);
    fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
#ifdef _WIN32
    if (std::ofstream(file, std::ios::app)) {
        GTEST_SKIP() << "this system lets us write read-only files (Wine run as root)";
    }
#endif
    ProfileWriteString("S", "K", "w", file.string().c_str());
    ProfileDeleteSection("S", file.string().c_str());
    EXPECT_EQ(Visible(FileBytes(file)), Visible(before));
}

TEST_F(Profile, BinaryFileStaysUsable)
{
    const fs::path file = File("binary");
    SetFileBytes(file, Binary() + "\n[S]\nA=1\n");
    ProfileWriteString("S", "K", "v", file.string().c_str());
    char buffer[16];
    EXPECT_EQ(ProfileGetString("S", "K", "d", buffer, sizeof buffer, file.string().c_str()), 1u);
    EXPECT_STREQ(buffer, "v");
    EXPECT_EQ(ProfileGetString("S", "A", "d", buffer, sizeof buffer, file.string().c_str()), 1u);
    EXPECT_STREQ(buffer, "1");
}

std::string KeyName(int thread, int index)
{
    std::string name = "K";
    name.append(std::to_string(thread)).append("_").append(std::to_string(index));
    return name;
}

TEST_F(Profile, WritersOnSeveralThreadsLoseNoKey)
{
    const std::string file = File("shared").string();
    constexpr int Threads = 4;
    constexpr int KeysEach = 10;
    std::vector<std::thread> writers;
    for (int t = 0; t < Threads; ++t) {
        writers.emplace_back([&file, t] {
            for (int k = 0; k < KeysEach; ++k) {
                const std::string key = KeyName(t, k);
                ProfileWriteString("S", key.c_str(), key.c_str(), file.c_str());
            }
        });
    }
    for (std::thread& w : writers) {
        w.join();
    }
    for (int t = 0; t < Threads; ++t) {
        for (int k = 0; k < KeysEach; ++k) {
            const std::string key = KeyName(t, k);
            char buffer[16];
            ProfileGetString("S", key.c_str(), "lost", buffer, sizeof buffer, file.c_str());
            EXPECT_EQ(std::string(buffer), key);
        }
    }
}

#ifndef _WIN32
// Our own writes replace the file through a temporary file and a rename.

TEST_F(Profile, WriteReplacesTheFileInsteadOfChangingItInPlace)
{
    const fs::path file = File("x");
    const std::string before = "[S]\r\nK=v\r\n";
    SetFileBytes(file, before);
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    // A reader that opened the old file keeps seeing it whole.
    const fs::path oldFile = dir_ / "old";
    fs::create_hard_link(file, oldFile);

    ProfileWriteString("S", "K", "w", file.string().c_str());

    EXPECT_EQ(Visible(FileBytes(oldFile)), Visible(before));
    EXPECT_EQ(Visible(FileBytes(file)), Visible(std::string("[S]\r\nK=w\r\n")));
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"old", "x.ini"})) << "temporary file left behind";
}

TEST_F(Profile, WriteThroughALinkKeepsTheLink)
{
    const fs::path target = File("target");
    const fs::path link = dir_ / "link.ini";
    SetFileBytes(target, "[S]\r\nK=v\r\n");
    fs::create_symlink(target, link);
    ProfileWriteString("S", "K", "w", link.string().c_str());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Visible(FileBytes(target)), Visible(std::string("[S]\r\nK=w\r\n")));
}

TEST_F(Profile, SpecialFilesNeitherBlockNorChange)
{
    const fs::path fifo = dir_ / "fifo.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    char buffer[16];
    EXPECT_EQ(ProfileGetString("S", "K", "d", buffer, sizeof buffer, fifo.c_str()), 1u);
    ProfileWriteString("S", "K", "v", fifo.c_str());
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(ProfileGetString("S", "K", "d", buffer, sizeof buffer, "/dev/zero"), 1u);
    EXPECT_STREQ(buffer, "d");
}
#endif

}  // namespace
