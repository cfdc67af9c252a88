#pragma once
// Full-width folding: the full-width forms of ASCII that a Chinese input method types (digits,
// signs, letters, the ideographic space, ～ and the stars) read as their ASCII bytes, so that
// "１２" is a number. Every other double-byte character passes unchanged.

namespace runtime {

// Walks a GBK text and hands out the folded bytes one at a time, without copying the text.
class FullWidthReader {
 public:
  // A null text reads as empty. With dropBlanks, spaces and tabs (folded ones included) are
  // skipped.
  FullWidthReader(const char* text, bool dropBlanks);

  // The next folded byte (0 to 255), or -1 at the end of the text.
  int Next();

 private:
  const unsigned char* at_;
  bool dropBlanks_;
  int pendingTrail_ = -1;  // second byte of a double-byte character passed unchanged
};

}  // namespace runtime
