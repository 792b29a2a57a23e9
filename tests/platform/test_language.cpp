#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/language.h"

namespace {

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
    for (int n = 2; n < 100; ++n)
        EXPECT_EQ(Lang(n), "") << n;
}

TEST_F(LanguageTest, MissingFileLeavesEverythingAsItWas) {
    LangStrings[4] = "kept";
    LoadLanguage(folder.filePath("lang.ini").toStdString());
    LoadLanguage(folder.path().toStdString());
    EXPECT_EQ(Lang(5), "kept");
    EXPECT_EQ(HelpFileName, "");
    ResetLanguage();
    EXPECT_EQ(Lang(5), "");
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
