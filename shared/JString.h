#pragma once
// Shift-JIS (code page 932) aware string functions: a search never matches on the second byte of
// a double-byte character and a cut never falls between its two bytes. Every function walks its
// text once from the start and never reads past its end.
//
// The public functions take counted texts; the internal ones (namespace jstr) work on
// zero-terminated buffers through cursors, so a public function sees a text only up to its first
// NUL byte (the product's files cannot hold one).
#include <span>
#include <string>
#include <string_view>

namespace sm {

namespace jstr {
// A double-byte character starts at p: a lead byte followed by a byte that is not the terminator.
bool IsDBCS(const char* p);
// The character code at p: lead byte * 256 + second byte, the byte itself, 0 at the end.
unsigned GetDBCS(const char* p);
// A blank at p: code 0x00-0x20 or 0x7F, and the ideographic space when jisChk is set.
bool IsTRIM(const char* p, bool jisChk);
// Moves the cursor over one character; the bytes moved (2, 1, or 0 at the end).
int StrByteInc(const char*& p);
// Copies one character (two bytes only when jisChk is set) and moves both cursors; no terminator.
int StrByteCopy(char*& dst, const char*& src, bool jisChk);
// Compares one character at each cursor; 0 and both cursors moved when equal.
int StrByteComp(const char*& a, const char*& b, bool upLow, bool jisOn);
// s when the whole of c occurs at s, else nullptr.
const char* StrTextComp(const char* s, const char* c);
// Walks over at most maxLen characters (all when 0); the characters walked, and their bytes.
int MtoMB(const char* s, int maxLen, int& bytes);
}  // namespace jstr

std::string jCopy(std::string_view text, int index, int count);
int jLength(std::string_view text);
int jPos(std::string_view sub, std::string_view text);
std::string jTrim(std::string_view text);
std::string jLeft(std::string_view text, int n);
// The text before the first delimiter; text keeps what follows it. With quoted, a delimiter
// between double quotes does not split (unless the delimiter itself holds a quote).
std::string jToken(std::string& text, std::string_view delimita, bool quoted = false);
std::string Cating(std::string_view text, int n);
int jStrLen(const char* s);
// Appends src n times to the zero-terminated dest; the caller provides the room.
char* StrCating(char* dest, const char* src, int n);
// Removes blanks in place: mode 0 both ends, 1 start, 2 end, 3 everywhere. Returns buf.
char* StrTrim(char* buf, int mode, bool jisChk);

// Integer lists: fills data (all elements first set to 0) and returns how many integers the text
// holds, which may exceed data.size().
int ReadCommaDelimitedInteger(std::span<int> data, std::string_view text);
std::string MakeCommaDelimitedIntStr(std::span<const int> data);

// A signed decimal integer of 32 bits, the whole text; false for anything else.
bool ParseDecimal(std::string_view text, int& out);
// Bytes 0x00-0x20 removed at both ends.
std::string_view TrimControl(std::string_view text);
// The text up to and including its last "\" or ":" (a second byte never counts); empty when none.
std::string ExtractFilePath(std::string_view path);
// True when the last character of the text is the single-byte character c.
bool EndsWithChar(std::string_view text, char c);

}  // namespace sm
