// Shift-JIS aware cutting, searching and trimming, and the integer lists of the settings file.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "shared/JString.h"

namespace sm {
namespace {

// 表 is 0x95 0x5C and ソ is 0x83 0x5C: their second byte is a backslash.
const std::string kHyo = "\x95\x5C";

TEST(JString, SecondByteIsNeverADelimiter) {
  EXPECT_EQ(std::string("表"), kHyo);
  EXPECT_EQ(jPos("\\", "表"), 0);
  EXPECT_EQ(jPos("\\", "表\\"), 2);
  EXPECT_EQ(jPos("\\", "ソ表x\\"), 4);
  std::string t = "表\\ソ,b";
  EXPECT_EQ(jToken(t, "\\"), "表");
  EXPECT_EQ(t, "ソ,b");
  EXPECT_EQ(ExtractFilePath("C:\\表"), "C:\\");
  EXPECT_EQ(ExtractFilePath("D:表"), "D:");
  EXPECT_EQ(ExtractFilePath("表"), "");
  EXPECT_FALSE(EndsWithChar("D:\\表", '\\'));
  EXPECT_TRUE(EndsWithChar("D:\\表\\", '\\'));
  EXPECT_FALSE(EndsWithChar("", '\\'));
}

TEST(JString, LeadByteAtTheVeryEndIsOneCharacter) {
  const std::string tail = "a\x95";  // a lead byte with nothing after it
  EXPECT_EQ(jLength(tail), 2);
  EXPECT_EQ(jCopy(tail, 2, 5), "\x95");
  EXPECT_EQ(jLeft(tail, 3), "a\x95 ");
  EXPECT_EQ(jPos("\x95", tail), 2);
  EXPECT_EQ(jTrim(" \x95"), "\x95");
  EXPECT_EQ(jTrim(" \x95 "), "\x95 ");  // lead byte and blank make one character
  std::string t = "\x95";
  EXPECT_EQ(jToken(t, ","), "\x95");
  EXPECT_EQ(t, "");
  // A lead byte before the delimiter swallows it into one character.
  t = "x\x95,y";
  EXPECT_EQ(jToken(t, ","), "x\x95,y");
  EXPECT_FALSE(EndsWithChar("\x95", '\\'));
  EXPECT_FALSE(EndsWithChar("\x95\\", '\\'));  // lead byte + backslash is one character
}

TEST(JString, CountsAndCopiesWholeCharacters) {
  const std::string three = "日本語";
  EXPECT_EQ(jLength(three), 3);
  EXPECT_EQ(jLength(""), 0);
  struct Row { const char* text; int index, count; const char* expect; } rows[] = {
      {"日本語", 2, 1, "本"}, {"日本語", 0, 1, "日"}, {"日本語", 1, 9, "日本語"},
      {"日本語", 4, 1, ""}, {"日本語", -1, 1, ""}, {"日本語", 1, 0, ""}, {"", 1, 1, ""},
      {"a表b", 2, 2, "表b"},
  };
  for (const Row& r : rows) EXPECT_EQ(jCopy(r.text, r.index, r.count), r.expect) << r.index;
  EXPECT_EQ(jLeft("ab", 4), "ab  ");
  EXPECT_EQ(jLeft("ab", 0), "");
  EXPECT_EQ(jLeft("日本語", 2), "日本");
  EXPECT_EQ(jPos(",", ",x"), 1);
  EXPECT_EQ(jPos(",", "x"), 0);
  EXPECT_EQ(jPos("", "x"), 0);
  EXPECT_EQ(jPos("xy", "x"), 0);
  EXPECT_EQ(jPos("本語", "日本語"), 2);
  EXPECT_EQ(Cating("ab", 3), "ababab");
  EXPECT_EQ(Cating("", 3), "");
  EXPECT_EQ(Cating("ab", 0), "");
  char buf[16] = "x";
  EXPECT_STREQ(StrCating(buf, "ab", 2), "xabab");
}

TEST(JString, TrimmingBlanksAndIdeographicSpaces) {
  EXPECT_EQ(jTrim("　 a　b \t　"), "a　b");
  EXPECT_EQ(jTrim("\x7F" "a\x01"), "a");
  EXPECT_EQ(jTrim("　　"), "");
  struct Row { int mode; bool jis; const char* expect; } rows[] = {
      {0, true, "a 　b"}, {1, true, "a 　b 　"}, {2, true, "　 a 　b"}, {3, true, "ab"},
      {0, false, "　 a 　b 　"}, {3, false, "　a　b　"},
  };
  for (const Row& r : rows) {
    char buf[32];
    std::strcpy(buf, "　 a 　b 　");
    EXPECT_STREQ(StrTrim(buf, r.mode, r.jis), r.expect) << r.mode << r.jis;
  }
}

TEST(JString, Tokens) {
  struct Row { const char* text; const char* delim; bool quoted; const char* token, *rest; } rows[] = {
      {"a,b", ",", false, "a", "b"}, {",b", ",", false, "", "b"}, {"abc", ",", false, "abc", ""},
      {"a,b", "", false, "a,b", ""}, {"", ",", false, "", ""}, {"a::b::c", "::", false, "a", "b::c"},
      {"\"x,y\",z", ",", true, "\"x,y\"", "z"}, {"\"x,y\",z", ",", false, "\"x", "y\",z"},
      {"\"x,y", ",", true, "\"x,y", ""}, {"a\",b", "\",", true, "a", "b"},
  };
  for (const Row& r : rows) {
    std::string t = r.text;
    EXPECT_EQ(jToken(t, r.delim, r.quoted), r.token) << r.text;
    EXPECT_EQ(t, r.rest) << r.text;
  }
}

TEST(JString, InternalCursors) {
  const char* p = "表a";
  EXPECT_TRUE(jstr::IsDBCS(p));
  EXPECT_EQ(jstr::GetDBCS(p), 0x955Cu);
  EXPECT_EQ(jstr::StrByteInc(p), 2);
  EXPECT_EQ(jstr::StrByteInc(p), 1);
  EXPECT_EQ(jstr::StrByteInc(p), 0);
  int bytes = 0;
  EXPECT_EQ(jstr::MtoMB("表ab", 2, bytes), 2);
  EXPECT_EQ(bytes, 3);
  EXPECT_EQ(jstr::MtoMB("", 0, bytes), 0);
  EXPECT_EQ(bytes, 0);
  const char* a = "ａx";
  const char* b = "Ａx";
  EXPECT_NE(jstr::StrByteComp(a, b, true, false), 0);
  EXPECT_EQ(jstr::StrByteComp(a, b, true, true), 0);
  EXPECT_EQ(jstr::StrByteComp(a, b, false, false), 0);  // x == x
  const char* c = "A";
  const char* d = "a";
  EXPECT_EQ(jstr::StrByteComp(c, d, true, false), 0);
  EXPECT_TRUE(jstr::IsTRIM("　", true));
  EXPECT_FALSE(jstr::IsTRIM("　", false));
  const char* empty = "";
  EXPECT_EQ(jstr::StrTextComp(empty, ""), empty);  // an empty text is found at the end only
  EXPECT_EQ(jstr::StrTextComp("a", ""), nullptr);
  char out[4] = {};
  char* o = out;
  const char* src = "表";
  EXPECT_EQ(jstr::StrByteCopy(o, src, false), 1);
  EXPECT_EQ(jstr::StrByteCopy(o, src, true), 1);  // the second byte alone is a character now
}

TEST(IntegerList, Reading) {
  struct Row { const char* text; int n; int count; std::vector<int> values; } rows[] = {
      {"200,300", 2, 2, {200, 300}}, {"1,2,3", 2, 3, {1, 2}}, {"150", 2, 1, {150, 0}},
      {"5,x,7", 4, 2, {5, 0, 0, 0}}, {"1, 2 ,3", 3, 3, {1, 2, 3}}, {"", 2, 0, {0, 0}},
      {" ,", 2, 0, {0, 0}}, {"-5,+6", 2, 2, {-5, 6}}, {"1,2,x,4", 2, 2, {1, 2}},
      {"1,,3", 3, 2, {1, 0, 0}}, {"9,8", 0, 2, {}}, {"2147483648", 1, 0, {0}},
  };
  for (const Row& r : rows) {
    std::vector<int> data(static_cast<size_t>(r.n), 42);
    EXPECT_EQ(ReadCommaDelimitedInteger(data, r.text), r.count) << r.text;
    EXPECT_EQ(data, r.values) << r.text;
  }
}

TEST(IntegerList, Writing) {
  EXPECT_EQ(MakeCommaDelimitedIntStr(std::array{80, 120, 250}), "80,120,250");
  EXPECT_EQ(MakeCommaDelimitedIntStr(std::array{-5, 0}), "-5,0");
  EXPECT_EQ(MakeCommaDelimitedIntStr(std::span<const int>{}), "");
}

}  // namespace
}  // namespace sm
