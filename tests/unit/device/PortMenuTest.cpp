#include <gtest/gtest.h>

#include "tests/unit/device/LinkFixture.h"

namespace quorbel {
namespace {

TEST(PortMenuTexts, AreTheUsersOwnWords) {
  EXPECT_EQ(ComMenuText(1), "Com 1");
  EXPECT_EQ(ComMenuText(32), "Com 32");
  EXPECT_EQ(BaudMenuText(38400), "38400 Baud");
  EXPECT_EQ(BaudMenuText(9600), " 9600 Baud");
  EXPECT_EQ(BaudMenuText(2400), " 2400 Baud");
  EXPECT_EQ(BaudMenuId(9600), 1675);
  EXPECT_EQ(BaudRateOfMenu(1677), 2400);
  EXPECT_EQ(BaudRateOfMenu(1678), 0);
  EXPECT_EQ(BaudRateOfMenu(1672), 0);
}

using PortMenuMarks = LinkTest;

TEST_F(PortMenuMarks, CheckThePortAndRateAndClearAllItems) {
  settings = {12, 4800};
  link.portMenu.PutPortMenuMarks();
  EXPECT_TRUE(toolkit.MenuChecked("main", 1652));
  EXPECT_TRUE(toolkit.MenuChecked("main", 1676));
  EXPECT_EQ(toolkit.MenuItem("main", 1652)->text, "Com 12");

  link.portMenu.ClearPortMenuMarks();
  EXPECT_FALSE(AnyPortMarkChecked());
  EXPECT_TRUE(toolkit.Faults().empty());
}

TEST_F(PortMenuMarks, TakeAMissingOrUnknownRateAs38400) {
  for (int rate : {0, 1200}) {
    settings = {3, rate};
    link.portMenu.ClearPortMenuMarks();
    link.portMenu.PutPortMenuMarks();
    EXPECT_EQ(settings.BaudRate, 38400);
    EXPECT_TRUE(toolkit.MenuChecked("main", 1673));
    EXPECT_TRUE(toolkit.MenuChecked("main", 1643));
  }
}

TEST_F(PortMenuMarks, LeaveEverythingAloneForAPortOutsideTheMenu) {
  for (int commPort : {0, 33, -1}) {
    settings = {commPort, 0};
    link.portMenu.PutPortMenuMarks();
    EXPECT_EQ(settings.BaudRate, 0);
    EXPECT_FALSE(AnyPortMarkChecked());
  }
  EXPECT_TRUE(toolkit.Faults().empty());
}

}  // namespace
}  // namespace quorbel
