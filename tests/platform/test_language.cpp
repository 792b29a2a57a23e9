#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/ini_file.h"
#include "platform/language.h"

namespace {

// Text n of the lang.ini shipped beside the program, as the program shows it.
std::string ShippedText(int n) {
    const IniFile shipped(VELMORA_SOURCE_DIR "/lang.ini");
    std::string text = shipped.ReadString("Strings", std::to_string(n), "");
    for (size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == '\\' && text[i + 1] == 'n') text.replace(i, 2, " \r");
    return text;
}

class LanguageTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetLanguage(); }
    void TearDown() override { ResetLanguage(); }

    std::string WriteFile(const QString& relative, const std::string& text) {
        const QString path = folder.filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), qint64(text.size()));
        return path.toStdString();
    }
    QTemporaryDir folder;
};

TEST_F(LanguageTest, BackslashNBecomesSpaceAndCarriageReturnKeepingTheLength) {
    LoadLanguage(WriteFile("lang.ini", "[Strings]\n"
                                       "1=a\\nb\n"
                                       "2=end\\n\n"
                                       "3=\\n\n"
                                       "4=upper\\N and trailing\\\n"
                                       "5=two\\\\n\n"
                                       "6=x\n"
                                       "7=\\n\\n\\nn\n"));
    EXPECT_EQ(Lang(1), "a \rb");
    EXPECT_EQ(Lang(2), "end \r");
    EXPECT_EQ(Lang(3), " \r");
    EXPECT_EQ(Lang(4), "upper\\N and trailing\\");
    EXPECT_EQ(Lang(5), "two\\ \r");
    EXPECT_EQ(Lang(6), "x");
    EXPECT_EQ(Lang(7), " \r \r \rn");
    EXPECT_EQ(LangStrings[0], Lang(1));
}

TEST_F(LanguageTest, ReadsHelpFileAndOnlyTheNumbersOneToHundred) {
    LoadLanguage(WriteFile("lang.ini", "[Options]\nHelpFile=help\\index.html\n"
                                       "[Strings]\n0=zero\n01=leading zero\n1=first\n"
                                       "100=last\n101=beyond\n-1=negative\n"));
    EXPECT_EQ(HelpFileName, "help\\index.html");
    EXPECT_EQ(Lang(1), "first");
    EXPECT_EQ(Lang(100), "last");
    EXPECT_EQ(Lang(0), "");
    EXPECT_EQ(Lang(101), "");
    EXPECT_EQ(Lang(-1), "");
}

// Whatever is wrong with the file (missing, a folder, empty, binary, blank
// values, huge), every text it does not give is the shipped one: no blank
// hints and no question box without its question.
TEST_F(LanguageTest, TextsTheFileDoesNotGiveComeFromTheBuiltInFile) {
    ASSERT_FALSE(ShippedText(50).empty());
    const std::string binary("\x89PNG\0\xff\xfe[Strings\0\n50", 16);
    const std::string broken[] = {folder.filePath("none.ini").toStdString(),
                                  folder.path().toStdString(), WriteFile("empty.ini", ""),
                                  WriteFile("binary.ini", binary),
                                  WriteFile("blank.ini", "[Strings]\n50=\n")};
    for (const std::string& path : broken) {
        ResetLanguage();
        LoadLanguage(path);
        for (int n : {1, 2, 36, 40, 41, 50, 53, 54, 72, 80})
            EXPECT_EQ(Lang(n), ShippedText(n)) << path << " text " << n;
        EXPECT_FALSE(HelpFileName.empty()) << path;
    }
    ResetLanguage();
    LoadLanguage(
        WriteFile("huge.ini", "[Strings]\n1=" + std::string(10u << 20, 'x') + "\n2=mine\n"));
    EXPECT_EQ(Lang(1).size(), 2047u);
    EXPECT_EQ(Lang(2), "mine");
    EXPECT_EQ(Lang(50), ShippedText(50));
}

TEST_F(LanguageTest, ProgramFolderIsBesideTheExecutableOrTheSharedDataFolder) {
    const QString root = folder.path();
    QDir().mkpath(root + "/bare/bin");
    EXPECT_EQ(LocateProgramFolder((root + "/bare/bin").toStdString()),
              (root + "/bare/bin/").toStdString());

    WriteFile("installed/share/velmora/lang.ini", "");
    QDir().mkpath(root + "/installed/bin");
    EXPECT_EQ(LocateProgramFolder((root + "/installed/bin/").toStdString()),
              (root + "/installed/share/velmora/").toStdString());

    WriteFile("installed/bin/lang.ini", "");
    EXPECT_EQ(LocateProgramFolder((root + "/installed/bin").toStdString()),
              (root + "/installed/bin/").toStdString());
}

} // namespace
