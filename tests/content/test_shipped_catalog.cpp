#include <QFileInfo>
#include <gtest/gtest.h>

#include "content/catalog.h"
#include "content/png_codec.h"
#include "platform/language.h"

// The catalog that ships with the program must read completely: every group
// file, every miniature, and every design picture at the size the layers'
// texture coordinates assume.
TEST(ShippedCatalog, EveryDesignAndMiniatureReads) {
    std::string index = VELMORA_SOURCE_DIR "/data/data.ini";
    ASSERT_TRUE(QFileInfo::exists(QString::fromStdString(index)));
    ProgramFolder = VELMORA_SOURCE_DIR "/";
    ReadCatalog(index);
    EXPECT_GE(GroupCount, 8);
    int designs = 0;
    for (const CatalogGroup& group : Groups) {
        EXPECT_FALSE(group.Name.empty());
        EXPECT_GE(group.ItemCount, 1) << group.Name;
        for (const CatalogItem& item : group.Items) {
            ++designs;
            std::string where = group.Name + "/" + item.Name;
            ASSERT_FALSE(item.Miniature.isNull()) << where;
            EXPECT_LE(item.Miniature.width(), 253) << where;
            EXPECT_LE(item.Miniature.height(), 269) << where;
            EXPECT_TRUE(item.Width >= 1 && item.Width <= 512) << where;
            EXPECT_TRUE(item.Height >= 1 && item.Height <= 512) << where;
            Picture design;
            ASSERT_TRUE(DecodePngFile(DesignPicturePath(group, item), design)) << where;
            EXPECT_EQ(design.Width, 512) << where;
            EXPECT_EQ(design.Height, 512) << where;
            EXPECT_EQ(design.Channels, 4) << where;
        }
    }
    EXPECT_GE(designs, 80);
    ResetCatalog();
    ProgramFolder.clear();
}
