#include "keysets/KeysetCommandNames.h"

#include <gtest/gtest.h>

namespace quorbel {
namespace {

TEST(KeysetCommandNamesTest, ProperCaseChangesOnlyLettersAndKeepsOtherBytes) {
  EXPECT_EQ(ProperCase("WINWORD"), "Winword");
  EXPECT_EQ(ProperCase("acme_edit"), "Acme_Edit");
  EXPECT_EQ(ProperCase("x11vnc 2go"), "X11Vnc 2Go");
  // The bytes of a UTF-8 letter are no letters here and stay as they are.
  EXPECT_EQ(ProperCase("\xC3\xA4rger"), "\xC3\xA4Rger");
}

TEST(KeysetCommandNamesTest, NamesThatCannotBeAKeysetAreRefused) {
  EXPECT_EQ(ImportedKeysetName("/a/Acme.Old.QRB"), "Acme");
  EXPECT_FALSE(ImportedKeysetName("/a/.qrb"));
  EXPECT_FALSE(ImportedKeysetName("/a/Acme.qrx"));
  EXPECT_FALSE(ImportedKeysetName("/a/a|b.qrb")) << "'|' separates the keyset list's entries";
  EXPECT_FALSE(ProgramKeysetName("/a/.hidden.exe"));
  EXPECT_EQ(ProgramKeysetName("/a/setup.EXE.bak"), "Setup");
}

TEST(KeysetCommandNamesTest, ExportsKeepTheirFolderAndGetTheKeysetExtension) {
  EXPECT_EQ(ExportTarget("/a/b.c/name.txt"), std::filesystem::path("/a/b.c/name.qrb"));
  EXPECT_EQ(ExportTarget("/a/name"), std::filesystem::path("/a/name.qrb"));
  EXPECT_EQ(ExportTarget("/a/.name"), std::filesystem::path("/a/.name.qrb"));
  EXPECT_FALSE(ExportTarget("/a/"));
}

}  // namespace
}  // namespace quorbel
