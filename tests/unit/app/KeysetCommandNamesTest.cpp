#include "keysets/KeysetCommandNames.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/TempFolder.h"

namespace quorbel {
namespace {

TEST(KeysetCommandNamesTest, ProperCaseChangesOnlyLettersAndKeepsOtherBytes) {
  EXPECT_EQ(ProperCase("WINWORD"), "Winword");
  EXPECT_EQ(ProperCase("acme_edit"), "Acme_Edit");
  EXPECT_EQ(ProperCase("x11vnc 2go"), "X11Vnc 2Go");
}

TEST(KeysetCommandNamesTest, ProperCaseTakesLettersBeyondAsciiAsLettersOfTheWord) {
  EXPECT_EQ(ProperCase("PR\xC3\xB6GRAM"), "Pr\xC3\xB6gram");  // PRöGRAM: Prögram
  EXPECT_EQ(ProperCase("pr\xC3\xB6gram"), "Pr\xC3\xB6gram");
  EXPECT_EQ(ProperCase("\xC3\xA4rger"), "\xC3\x84rger");  // ärger: Ärger
  EXPECT_EQ(ProperCase("\xC5\x82\xC3\xB3"
                       "d\xC5\xBA"),
            "\xC5\x81\xC3\xB3"
            "d\xC5\xBA");  // łódź: Łódź
  EXPECT_EQ(ProperCase("\xD0\xBF\xD0\xA0\xD0\x9E-x"),
            "\xD0\x9F\xD1\x80\xD0\xBE-X");                        // пРО-x: Про-X
  EXPECT_EQ(ProperCase("\xCE\xB1\xCE\x92"), "\xCE\x91\xCE\xB2");  // αΒ: Αβ
  // Characters without two cases are letters that stay; so do broken bytes.
  EXPECT_EQ(ProperCase("\xE6\x97\xA5x y"), "\xE6\x97\xA5x Y");
  EXPECT_EQ(ProperCase("a\xFF"
                       "b\xC3"),
            "A\xFF"
            "b\xC3");
}

TEST(KeysetCommandNamesTest, NamesThatCannotBeAKeysetAreRefused) {
  EXPECT_EQ(ImportedKeysetName("/a/Acme.Old.QRB"), "Acme");
  EXPECT_FALSE(ImportedKeysetName("/a/.qrb"));
  EXPECT_FALSE(ImportedKeysetName("/a/Acme.qrx"));
  EXPECT_FALSE(ImportedKeysetName("/a/a|b.qrb")) << "'|' separates the keyset list's entries";
  EXPECT_FALSE(ProgramKeysetName("/a/.hidden.exe"));
  EXPECT_EQ(ProgramKeysetName("/a/setup.EXE.bak"), "Setup");
}

// A program without ".EXE" in its name counts where files carry an execute
// permission; on Windows, where the library makes that permission up from
// the name (a batch file's too), only an ".EXE" is a program.
TEST(KeysetCommandNamesTest, AFileWithoutExeInItsNameIsAProgramOnlyByItsExecutePermission) {
  const TempFolder folder("quorbel-names-");
  const std::filesystem::path batch = folder.Path() / "tool.bat";
  std::ofstream(batch) << "@echo off\r\n";
  std::filesystem::permissions(batch, std::filesystem::perms::owner_exec,
                               std::filesystem::perm_options::add);
#ifdef _WIN32
  EXPECT_FALSE(ProgramKeysetName(batch));
#else
  EXPECT_EQ(ProgramKeysetName(batch), "Tool");
  std::filesystem::permissions(batch, std::filesystem::perms::owner_exec,
                               std::filesystem::perm_options::remove);
  EXPECT_FALSE(ProgramKeysetName(batch));
#endif
}

TEST(KeysetCommandNamesTest, ExportsKeepTheirFolderAndGetTheKeysetExtension) {
  EXPECT_EQ(ExportTarget("/a/b.c/name.txt"), std::filesystem::path("/a/b.c/name.qrb"));
  EXPECT_EQ(ExportTarget("/a/name"), std::filesystem::path("/a/name.qrb"));
  EXPECT_EQ(ExportTarget("/a/.name"), std::filesystem::path("/a/.name.qrb"));
  EXPECT_FALSE(ExportTarget("/a/"));
}

}  // namespace
}  // namespace quorbel
