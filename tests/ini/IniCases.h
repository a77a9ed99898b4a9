#pragma once
// The compatibility table of the settings-file engine: file bytes before, operations, and the
// answers and bytes expected afterwards. The same table runs natively against the engine and,
// under Wine, against the platform's own profile functions and against the engine on real files.
#include <optional>
#include <string>
#include <vector>

namespace sm::testing {

struct IniOp {
  enum Kind { Read, Write, Delete, Erase } kind;
  std::string section, key, value;  // Read: value is the default
  std::string expect = {};          // Read: the answer
};

struct IniCase {
  const char* name;
  std::optional<std::string> before;  // nothing: no file
  std::vector<IniOp> ops;
  std::optional<std::string> after;   // expected bytes; nothing: not checked
  // Set when the platform under Wine behaves otherwise on purpose or by a known Wine difference:
  // the case then runs against the engine only, and this says why.
  const char* engineOnly = nullptr;
};

inline IniOp R(std::string s, std::string k, std::string def, std::string expect) {
  return {IniOp::Read, std::move(s), std::move(k), std::move(def), std::move(expect)};
}
inline IniOp W(std::string s, std::string k, std::string v) {
  return {IniOp::Write, std::move(s), std::move(k), std::move(v)};
}
inline IniOp D(std::string s, std::string k) { return {IniOp::Delete, std::move(s), std::move(k), {}}; }
inline IniOp E(std::string s) { return {IniOp::Erase, std::move(s), {}, {}}; }

inline const std::string kF1 =
    "[section1]\r\nname1=val1\r\nname2=\"val2\"\r\nname3\r\nname4=a\r\n[section2]\r\n";

inline std::vector<IniCase> IniCompatibilityCases() {
  const std::string longValue(60000, 'x');
  return {
      {"write creates a missing file", std::nullopt, {W("App", "key", "")}, "[App]\r\nkey=\r\n"},
      {"writes into an empty file, sections appended in call order",
       "",
       {W("App1", "key1", "string1"), W("App1", "key2", "string2"), W("App1", "key3", "string3"),
        W("App2", "key4", "string4"), W("App3", "key5", "string5")},
       "[App1]\r\nkey1=string1\r\nkey2=string2\r\nkey3=string3\r\n[App2]\r\nkey4=string4\r\n"
       "[App3]\r\nkey5=string5\r\n"},
      {"delete a key twice",
       "[App1]\r\nkey1=string1\r\nkey2=string2\r\nkey3=string3\r\n[App2]\r\nkey4=string4\r\n",
       {D("App1", "key2"), D("App1", "key2")},
       "[App1]\r\nkey1=string1\r\nkey3=string3\r\n[App2]\r\nkey4=string4\r\n"},
      {"erase sections",
       "[App1]\r\nkey1=string1\r\n[App2]\r\nkey4=string4\r\n[App3]\r\nkey5=string5\r\n",
       {E("App1"), E("App2")},
       "[App3]\r\nkey5=string5\r\n"},
      {"deleting the last key keeps the header", "[App3]\r\nkey5=string5\r\n", {D("App3", "key5")},
       "[App3]\r\n"},
      {"text before the first section survives; a break goes before the new section",
       "Data before first section",
       {W("section1", "key1", "string1"), R("section1", "key1", "d", "string1")},
       "Data before first section\r\n[section1]\r\nkey1=string1\r\n"},
      {"new keys follow the last key, existing lines stay put",
       "[S]\r\nb=value\r\na=value\r\n",
       {W("S", "z", ""), W("S", "b", ""), W("S", "y", ""), W("S", "a", "")},
       "[S]\r\nb=\r\na=\r\nz=\r\ny=\r\n"},
      {"erasing a section keeps its comment lines",
       ";c0\r\n[S]\r\nk=1\r\n;c1\r\n[S2]\r\n;c2\r\n",
       {E("S"), E("S2")},
       ";c0\r\n;c1\r\n;c2\r\n", "Wine drops the comment lines of an erased section; Windows keeps them"},
      {"an update keeps the file's spelling and gains a line break", "[Sec]\r\nKey=v",
       {W("SEC", "KEY", "v2")}, "[Sec]\r\nKey=v2\r\n"},
      {"names lose their blanks; a value with edge blanks is quoted so that it reads back",
       std::nullopt,
       {W("  sec ", "  key  ", " value "), R("sec", "key", "", " value ")},
       "[sec]\r\nkey=\" value \"\r\n", "the engine quotes values with edge blanks; the platform stores them bare and loses the blanks"},
      {"lookup ignores case, drops one pair of quotes, skips lines without \"=\"",
       kF1,
       {R("section1", "NaMe1", "d", "val1"), R("section1", "name2", "d", "val2"),
        R("section1", "name3", "d", "d"), R("SECTION1", "name4", "d", "a")},
       kF1},
      {"CR-only line ends read",
       "[section1]\rname1=val1\rname2=\"val2\"\rname3\rname4=a\r[section2]\r",
       {R("section1", "name1", "d", "val1"), R("section1", "name4", "d", "a"),
        R("section2", "name1", "d", "d")}, std::nullopt},
      {"LF-only and mixed line ends read", "[a]\nx=1\r\n[b]\ry=2\nz=3",
       {R("a", "x", "d", "1"), R("b", "y", "d", "2"), R("b", "z", "d", "3")}, std::nullopt},
      {"missing file: the default loses trailing blanks", std::nullopt,
       {R("s", "k", "default  ", "default")}, std::nullopt},
      {"only the first of two sections of a name is searched", "[S]\r\n[S]\r\nK=x",
       {R("S", "K", "d", "d")}, std::nullopt},
      {"the first of two keys wins, for reading and for updating", "[S]\r\nK=a\r\nK=b\r\n",
       {R("S", "K", "d", "a"), W("S", "K", "c"), R("S", "K", "d", "c")}, "[S]\r\nK=c\r\nK=b\r\n"},
      {"a header name ends at the first \"]\"", "[sec]x]\r\nk=v\r\n", {R("sec", "k", "d", "v")},
       std::nullopt, "Wine ends the name at the last \"]\""},
      {"text after \"]\" is ignored, so the entry is not in the section", "[S]k=v\r\n",
       {R("S", "k", "d", "d")}, std::nullopt},
      {"a header without \"]\" names a section to the line's end", "[S   \r\nk=v\r\n",
       {R("S", "k", "d", "v")}, std::nullopt, "Wine reads a header line without \"]\" as a key"},
      {"a line that only ends in \"]\" is no header", "S]\r\nk=v\r\n", {R("S", "k", "d", "d")}, std::nullopt},
      {"lines before the first header cannot be reached", "k=v\r\n[S]\r\n", {R("", "k", "d", "d")}, std::nullopt, "Wine reads the lines before the first header as a section \"\""},
      {"blanks, quotes and comments in values", "[S]\r\nk=  \"  x  \"  \r\na='\"x\"'\r\nb=\"x'\r\n;c=1\r\n d=;e\r\n",
       {R("S", "k", "", "  x  "), R("S", "a", "", "\"x\""), R("S", "b", "", "\"x'"),
        R("S", "c", "d", "d"), R("S", ";c", "d", "d"), R("S", "d", "", ";e")}, std::nullopt, "Wine finds the key \";c\" of a comment line"},
      {"Shift-JIS second bytes are not taken for brackets or backslashes",
       "[ゾーン]\r\n表=ソ\r\n",
       {R("ゾーン", "表", "", "ソ"), W("ゾーン", "表", "ゼ"), R("ゾーン", "表", "", "ゼ")},
       "[ゾーン]\r\n表=ゼ\r\n"},
      {"a new key goes before trailing blank and comment lines", "[A]\r\nk=1\r\n\r\n;t\r\n[B]\r\n",
       {W("A", "n", "2")}, "[A]\r\nk=1\r\nn=2\r\n\r\n;t\r\n[B]\r\n", "Wine rewrites every line and drops blank lines"},
      {"an update rewrites only its own line, whatever the other lines look like",
       "; settings\r\n\r\n[A]\n k = old \nother = 1\n",
       {W("A", "k", "new"), R("A", "other", "", "1")},
       "; settings\r\n\r\n[A]\nk=new\r\nother = 1\n", "Wine rewrites every line, normalising \"k = v\" and line ends"},
      {"a key added to a section whose last line has no break", "[S]\r\na=1",
       {W("S", "b", "2")}, "[S]\r\na=1\r\nb=2\r\n"},
      {"a new section after a file without a final break", "[S]\r\na=1",
       {W("T", "b", "2")}, "[S]\r\na=1\r\n[T]\r\nb=2\r\n"},
      {"trailing blanks and tabs around values are not part of them", "[S]\r\nk\t=\t v \t\r\n",
       {R("S", "k", "", "v")}, std::nullopt},
      {"a very long value is written and read whole", std::nullopt,
       {W("S", "k", longValue), R("S", "k", "", longValue)}, "[S]\r\nk=" + longValue + "\r\n", "Wine's profile functions store no value of this length"},
      {"deleting an absent key or section changes nothing", "[S]\r\na=1\r\n",
       {D("S", "zz"), D("T", "a"), E("T")}, "[S]\r\na=1\r\n"},
      {"deleting from a missing file leaves an empty file", std::nullopt, {D("S", "k")}, "", "Wine creates no file"},
      {"a comment line is not a key and cannot be updated", "[S]\r\n;k=1\r\n",
       {W("S", "k", "2")}, "[S]\r\nk=2\r\n;k=1\r\n",
       "Wine puts a new key after the section's comment lines; Windows after its last key"},
  };
}

}  // namespace sm::testing
