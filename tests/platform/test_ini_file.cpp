#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

#include "platform/ini_file.h"

namespace {

class IniFileTest : public ::testing::Test {
  protected:
    std::string Write(const std::string& text, const char* name = "test.ini") {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), qint64(text.size()));
        return path.toStdString();
    }
    QTemporaryDir folder;
};

TEST_F(IniFileTest, NamesMatchWithoutCaseAndBlanksAroundKeysAndValuesGo) {
    const IniFile ini(Write("\xEF\xBB\xBF[Strings]\r\n  Title\t =  Hello world \t\r\n"
                            "  ; Hidden=1\n;Other=2\nplain line\n[ options ]\nHelpFile=help.txt"));
    EXPECT_TRUE(ini.Exists());
    EXPECT_EQ(ini.ReadString("strings", "TITLE", "-"), "Hello world");
    EXPECT_EQ(ini.ReadString("OPTIONS", "helpfile", "-"), "help.txt");
    EXPECT_EQ(ini.ReadString("Strings", "; Hidden", "-"), "-");
    EXPECT_EQ(ini.ReadString("Strings", ";Other", "-"), "-");
    EXPECT_EQ(ini.ReadString("Strings", "plain line", "-"), "-");
    EXPECT_EQ(ini.ReadString("Strings", "Missing", "fallback"), "fallback");
    EXPECT_EQ(ini.ReadString("Missing", "Title", "fallback"), "fallback");
}

TEST_F(IniFileTest, OnePairOfEnclosingQuotesIsRemoved) {
    const IniFile ini(Write("[Q]\na=\"  padded  \"\nb='single'\nc=\"\"twice\"\"\nd=\"open\n"
                            "e='mixed\"\nf=in \"the\" middle\ng=\nh=\"\"\n"));
    EXPECT_EQ(ini.ReadString("Q", "a", "-"), "  padded  ");
    EXPECT_EQ(ini.ReadString("Q", "b", "-"), "single");
    EXPECT_EQ(ini.ReadString("Q", "c", "-"), "\"twice\"");
    EXPECT_EQ(ini.ReadString("Q", "d", "-"), "\"open");
    EXPECT_EQ(ini.ReadString("Q", "e", "-"), "'mixed\"");
    EXPECT_EQ(ini.ReadString("Q", "f", "-"), "in \"the\" middle");
    EXPECT_EQ(ini.ReadString("Q", "g", "-"), "");
    EXPECT_EQ(ini.ReadString("Q", "h", "-"), "");
}

TEST_F(IniFileTest, FirstSectionAndFirstKeyWin) {
    const IniFile ini(Write("key=before any section\n[A]\nkey=1\nKEY=2\n[B]\nother=x\n"
                            "[a]\nkey=3\nlater=4\n"));
    EXPECT_EQ(ini.ReadString("A", "key", "-"), "1");
    EXPECT_EQ(ini.ReadString("A", "later", "-"), "-");
    EXPECT_EQ(ini.ReadString("B", "key", "-"), "-");
}

TEST_F(IniFileTest, ValuesAreCutAt2047CharactersWithoutSplittingOne) {
    const std::string ascii(3000, 'x');
    std::string accented;
    for (int i = 0; i < 2100; ++i)
        accented += "\xC3\xA9"; // é
    const IniFile ini(Write("[L]\nascii=" + ascii + "\naccented=" + accented + "\n"));
    EXPECT_EQ(ini.ReadString("L", "ascii", ""), ascii.substr(0, 2047));
    EXPECT_EQ(ini.ReadString("L", "accented", ""), accented.substr(0, 2047 * 2));
}

TEST_F(IniFileTest, IntegersReadLikeTheProgramWroteThem) {
    const std::pair<const char*, int32_t> cases[] = {
        {"42", 42},
        {" -17 ", -17},
        {"+5", 5},
        {"007", 7},
        {"$1F", 31},
        {"0x1f", 31},
        {"0X10", 16},
        {"-$10", -16},
        {"$FFFFFFFF", -1},
        {"'12'", 12},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", -99},
        {"99999999999", -99},
        {"$100000000", -99},
        {"12a", -99},
        {"", -99},
        {"0x", -99},
        {"$", -99},
        {"-", -99},
        {"1 2", -99},
        {"3.5", -99},
        {"1e3", -99},
        {"--1", -99},
    };
    // Appended rather than prefixed: GCC 12 warns wrongly about "k" + string.
    const auto key = [](size_t i) {
        std::string name = "k";
        return name += std::to_string(i);
    };
    std::string text = "[N]\n";
    for (size_t i = 0; i < std::size(cases); ++i)
        text += key(i) + "=" + cases[i].first + "\n";
    const IniFile ini(Write(text));
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(ini.ReadInteger("N", key(i), -99), cases[i].second)
            << '"' << cases[i].first << '"';
    EXPECT_EQ(ini.ReadInteger("N", "missing", 8), 8);
}

TEST_F(IniFileTest, MissingUnreadableOrGarbageFilesReadAsEmpty) {
    const IniFile missing(folder.filePath("none.ini").toStdString());
    EXPECT_FALSE(missing.Exists());
    EXPECT_EQ(missing.ReadString("A", "b", "fallback"), "fallback");
    EXPECT_EQ(missing.ReadInteger("A", "b", 3), 3);
    EXPECT_FALSE(IniFile(folder.path().toStdString()).Exists());

    // A valid start, 17 MiB of random bytes, and a section beyond what is ever read.
    std::string garbage(17u << 20, '\0');
    std::minstd_rand random(7);
    const char alphabet[] = {'\0', '\n', '\r', '[', ']', '=', ';', '"', 'a', '\xFF'};
    for (char& c : garbage) {
        const unsigned r = unsigned(random());
        c = r % 4 == 0 ? alphabet[r / 4 % std::size(alphabet)] : char(r >> 8);
    }
    garbage.replace(0, 8, "[S]\nk=v\n");
    garbage += "\n[Tail]\nx=1\n";
    const IniFile ini(Write(garbage, "garbage.ini"));
    EXPECT_TRUE(ini.Exists());
    EXPECT_EQ(ini.ReadString("s", "K", "-"), "v");
    EXPECT_EQ(ini.ReadString("Tail", "x", "-"), "-");
}

TEST_F(IniFileTest, CopiesKeepTheirValues) {
    IniFile copy = IniFile(Write("[A]\nb=short\n"));
    const IniFile again = copy;
    EXPECT_EQ(again.ReadString("A", "b", "-"), "short");
}

} // namespace
