#include "common/ini.h"

#include <gtest/gtest.h>

namespace vessaro {
namespace {

TEST(IniTest, SectionsAndKeysIgnoreCase) {
  IniDocument doc = IniDocument::Parse("[Card1]\r\nBet=10\r\nwin = 2\r\n[INFORMATION]\r\nUnit=5\r\n");
  EXPECT_EQ(doc.Get("card1", "BET"), "10");
  EXPECT_EQ(doc.Get("CARD1", "Win"), "2");
  EXPECT_EQ(doc.Get("information", "unit"), "5");
  EXPECT_EQ(doc.Get("card1", "lose"), "");
  EXPECT_EQ(doc.Get("card9", "bet"), "");
  EXPECT_TRUE(doc.HasSection("Information"));
  EXPECT_FALSE(doc.HasKey("card1", "lose"));
}

TEST(IniTest, SetKeepsOrderAndSerializes) {
  IniDocument doc;
  doc.Set("A", "x", "1");
  doc.Set("B", "y", "2");
  doc.Set("a", "X", "3");
  EXPECT_EQ(doc.Serialize(), "[A]\r\nx=3\r\n[B]\r\ny=2\r\n");
  IniDocument back = IniDocument::Parse(doc.Serialize());
  EXPECT_EQ(back.SectionNames(), (std::vector<std::string>{"A", "B"}));
}

TEST(IniTest, GarbageNeverBreaksTheReader) {
  using namespace std::string_literals;
  IniDocument doc = IniDocument::Parse("\x00\xFF[x\n=\nkey\n[]\n=v\nk=v=w\n"s);
  EXPECT_EQ(doc.Get("", "k"), "v=w");
}

// A hand-made system file can be huge; reading it must stay linear (a quadratic reader hangs on a
// million keys). The first of two equal keys wins, in any letter case.
TEST(IniTest, AMillionKeysReadInLinearTime) {
  std::string text = "[Card1]\r\nBet=10\r\n";
  for (int i = 0; i < 1000000; ++i) text += "k" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
  text += "BET=99\r\n[card1]\r\nwin=2\r\n";
  IniDocument doc = IniDocument::Parse(text);
  EXPECT_EQ(doc.Get("CARD1", "bet"), "10");
  EXPECT_EQ(doc.Get("card1", "K999999"), "999999");
  EXPECT_EQ(doc.Get("card1", "win"), "2");
  EXPECT_EQ(doc.KeyNames("card1").size(), 1000002u);
  doc.RemoveSection("CARD1");
  EXPECT_FALSE(doc.HasSection("card1"));
}

}  // namespace
}  // namespace vessaro
