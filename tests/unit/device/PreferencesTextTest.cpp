#include "device/PreferencesText.h"

#include <gtest/gtest.h>

#include <string>

namespace quorbel {
namespace {

LinkSettings Parse(const std::string& text, LinkSettings start = {}) {
  ParsePreferences(text, start);
  return start;
}

TEST(ReadNumber, ReadsALeadingDecimalNumber) {
  EXPECT_EQ(ReadNumber("12"), 12);
  EXPECT_EQ(ReadNumber("   12abc"), 12);
  EXPECT_EQ(ReadNumber("1 2"), 1);
  EXPECT_EQ(ReadNumber("+3"), 3);
  EXPECT_EQ(ReadNumber("-3"), -3);
  EXPECT_EQ(ReadNumber(""), 0);
  EXPECT_EQ(ReadNumber("abc"), 0);
  EXPECT_EQ(ReadNumber("=7"), 0);
  EXPECT_EQ(ReadNumber("\t7"), 0);  // only blanks are skipped
  EXPECT_GT(ReadNumber("999999999999999999999999999999"), 38400);
}

TEST(ReadNumber, RoundsFractionsHalfToEven) {
  EXPECT_EQ(ReadNumber("6.5"), 6);
  EXPECT_EQ(ReadNumber("7.5"), 8);
  EXPECT_EQ(ReadNumber("6.50001"), 7);
  EXPECT_EQ(ReadNumber("6.4999"), 6);
  EXPECT_EQ(ReadNumber("-2.5"), -2);
  EXPECT_EQ(ReadNumber("-2.6"), -3);
  EXPECT_EQ(ReadNumber(".5"), 0);
  EXPECT_EQ(ReadNumber("7."), 7);
  EXPECT_EQ(ReadNumber("3.7.9"), 4);
}

TEST(NormaliseLine, CapitalisesEachWordAndTrims) {
  EXPECT_EQ(NormaliseLine("  cOM pORT=7  "), "Com Port=7");
  EXPECT_EQ(NormaliseLine("BAUD-RATE x2y"), "Baud-Rate X2Y");
  EXPECT_EQ(NormaliseLine("   "), "");
}

TEST(ParsePreferences, KeysAreRecognisedWhateverTheirCase) {
  EXPECT_EQ(Parse("[QUORBELU]\r\ncom port=7\r\nBAUD RATE=9600\r\n"), (LinkSettings{7, 9600}));
  EXPECT_EQ(Parse("[QUORBELU]\ncOm PoRt=12\nbaud rate=2400"), (LinkSettings{12, 2400}));
  EXPECT_EQ(Parse("[QUORBELU]\r\n   Com Port=3   \r\n"), (LinkSettings{3, 0}));
}

TEST(ParsePreferences, TheCharacterAfterTheKeyIsSkippedWhateverItIs) {
  EXPECT_EQ(Parse("[QUORBELU]\r\nCom Port = 7\r\n", {2, 0}).CommPort, 2);
  EXPECT_EQ(Parse("[QUORBELU]\r\nCom Port:7\r\n").CommPort, 7);
  EXPECT_EQ(Parse("[QUORBELU]\r\nCom Port= 7\r\n").CommPort, 7);
  EXPECT_EQ(Parse("[QUORBELU]\r\nComPort=7\r\n").CommPort, 0);
  EXPECT_EQ(Parse("[QUORBELU]\r\nBaud Rate 19200\r\n").BaudRate, 19200);
  EXPECT_EQ(Parse("[QUORBELU]\r\nCom Port\r\n", {4, 0}).CommPort, 4);
}

TEST(ParsePreferences, PortsOutsideOneToThirtyTwoAreIgnored) {
  for (const char* value : {"33", "0", "-1", "x", "32.51", ""}) {
    EXPECT_EQ(Parse(std::string("[QUORBELU]\r\nCom Port=") + value + "\r\n", {5, 0}).CommPort, 5)
        << value;
  }
  EXPECT_EQ(Parse("[QUORBELU]\r\nCom Port=32.5\r\n").CommPort, 32);
  EXPECT_EQ(Parse("[QUORBELU]\r\nCom Port=0.6\r\n").CommPort, 1);
}

TEST(ParsePreferences, AnUnknownRateGives38400OnlyWhileNoRateIsSet) {
  EXPECT_EQ(Parse("[QUORBELU]\r\nBaud Rate=1200\r\n").BaudRate, 38400);
  EXPECT_EQ(Parse("[QUORBELU]\r\nBaud Rate=9600\r\nBaud Rate=1200\r\n").BaudRate, 9600);
  EXPECT_EQ(Parse("[QUORBELU]\r\nBaud Rate=\r\n", {0, 4800}).BaudRate, 4800);
  EXPECT_EQ(Parse("[QUORBELU]\r\nBaud Rate=1200\r\nBaud Rate=2400\r\n").BaudRate, 2400);
}

TEST(ParsePreferences, LaterLinesWin) {
  EXPECT_EQ(Parse("[QUORBELU]\r\nCom Port=3\r\nBaud Rate=4800\r\nCom Port=9\r\n"
                  "Baud Rate=19200\r\n"),
            (LinkSettings{9, 19200}));
}

TEST(ParsePreferences, WithoutTheExactHeaderNothingIsRead) {
  const LinkSettings start{2, 4800};
  for (const char* header : {"[quorbelu]", " [QUORBELU]", "[QUORBELU] ", "\xEF\xBB\xBF[QUORBELU]",
                             "[Quorbelu]", "", "Com Port=7"}) {
    EXPECT_EQ(Parse(std::string(header) + "\r\nCom Port=7\r\nBaud Rate=9600\r\n", start), start)
        << header;
  }
  EXPECT_EQ(Parse(""), LinkSettings{});
}

TEST(PreferencesText, WritesThreeCrLfLines) {
  EXPECT_EQ(PreferencesText({1, 38400}), "[QUORBELU]\r\nCom Port=1\r\nBaud Rate=38400\r\n");
  EXPECT_EQ(PreferencesText({32, 2400}), "[QUORBELU]\r\nCom Port=32\r\nBaud Rate=2400\r\n");
  EXPECT_EQ(Parse(PreferencesText({17, 19200})), (LinkSettings{17, 19200}));
}

}  // namespace
}  // namespace quorbel
