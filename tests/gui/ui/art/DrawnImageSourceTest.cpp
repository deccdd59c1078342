#include "ui/art/DrawnImageSource.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <memory>

#include "toolkit/qt/FolderImageSource.h"

namespace quorbel::ui {
namespace {

// The toolkit asks by the name without its "$" and sizes the picture to
// whatever comes back.
TEST(DrawnImageSourceTest, GivesTheDrawnImageAtItsOwnSizeForTheScreensPixelRatio) {
  const DrawnImageSource source;
  const QPixmap key = source.Image("FuncUp", QSize(8, 16), 2);
  ASSERT_FALSE(key.isNull());
  EXPECT_EQ(key.devicePixelRatio(), 2);
  EXPECT_EQ(key.deviceIndependentSize().toSize(), QSize(38, 13));
  EXPECT_EQ(key.size(), QSize(76, 26));
  EXPECT_FALSE(source.Image("ffdn", QSize(8, 16), 1).isNull());
}

TEST(DrawnImageSourceTest, NamesItDoesNotDrawComeFromTheFallback) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  QImage custom(QSize(5, 7), QImage::Format_ARGB32);
  custom.fill(Qt::red);
  ASSERT_TRUE(custom.save(folder.filePath("Custom.png")));
  const DrawnImageSource withFolder(
      std::make_shared<FolderImageSource>(QStringList{folder.path()}));
  EXPECT_EQ(withFolder.Image("Custom", QSize(8, 16), 1).size(), QSize(5, 7));
  EXPECT_EQ(withFolder.Image("FuncUp", QSize(8, 16), 1).size(), QSize(38, 13));
  EXPECT_TRUE(DrawnImageSource().Image("Custom", QSize(8, 16), 1).isNull());
}

}  // namespace
}  // namespace quorbel::ui
