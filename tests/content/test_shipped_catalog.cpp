#include <QFileInfo>
#include <gtest/gtest.h>

#include "content/catalog.h"
#include "content/png_codec.h"
#include "platform/language.h"

// The shipped designs are drawn at twice the scale of the layers' texture
// coordinates, so that a large tattoo is sharp on a 2048-pixel photo.
constexpr int ShippedDesignSide = 1024;

// The catalog that ships with the program must read completely: every group
// file, every miniature, and every design picture square, at the shipped
// size and within the catalog's limit.
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
            EXPECT_EQ(design.Width, ShippedDesignSide) << where;
            EXPECT_EQ(design.Height, ShippedDesignSide) << where;
            static_assert(ShippedDesignSide <= MaxDesignSide);
            EXPECT_EQ(design.Channels, 4) << where;
        }
    }
    EXPECT_GE(designs, 80);
    ResetCatalog();
    ProgramFolder.clear();
}
