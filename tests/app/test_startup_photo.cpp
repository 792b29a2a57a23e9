#include <QImageReader>
#include <gtest/gtest.h>

#include "content/content_messages.h"
#include "platform/language.h"
#include "scene/scene_state.h"
#include "ui/main_form.h"

namespace {

const std::string SourceFolder = VELMORA_SOURCE_DIR;

// Builds the editor as the welcome screen does, with a photo named on the
// command line, and counts the messages shown meanwhile.
class StartupPhotoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ProgramFolder = std::string(VELMORA_BIN_DIR) + "/";
        ContentMessageBox = [this](const std::string&, const std::string&, MessageButtons,
                                   MessageIcon) {
            ++messages_;
            return MessageAnswer::Ok;
        };
    }
    void TearDown() override {
        StartupPhoto.clear();
        ResetLanguage();
    }
    int messages_ = 0;
};

TEST_F(StartupPhotoTest, APhotoOnTheCommandLineOpensInsteadOfTheSample) {
    StartupPhoto = SourceFolder + "/sample/forearm.jpg";
    const QSize size = QImageReader(QString::fromStdString(StartupPhoto)).size();
    TMainForm form;
    EXPECT_EQ(messages_, 0);
    EXPECT_EQ(QSize(ImageWidth, ImageHeight), size);
}

TEST_F(StartupPhotoTest, ARefusedPhotoIsReportedAndTheSampleShown) {
    StartupPhoto = SourceFolder + "/lang.ini";
    TMainForm form;
    EXPECT_EQ(messages_, 1);
    EXPECT_GT(ImageWidth, 0);
    EXPECT_GT(ImageHeight, 0);
}

} // namespace
