#pragma once
// What an edit box lets the user type in each input mode, and how it rewrites its text when the
// focus leaves.
#include <QString>

#include <cstdint>

namespace units::editbox {

class InputRules {
 public:
  InputRules(int32_t inputMode, int32_t caseConversion, int32_t maxLength)
      : mode_(inputMode), caseConversion_(caseConversion), maxLength_(maxLength) {}

  // The part of `typed` the box takes in, for text that replaces `replaced` characters of a text
  // `length` characters long: characters below 32 always pass; above that only what the mode
  // allows (full-width digits, minus and point, as a Chinese input method types them, count as
  // their ASCII forms); case converted; cut to the text limit. The same rule serves keys,
  // input-method commits, pasting and dropping, so no way in admits more than typing does.
  QString Admit(const QString& typed, qsizetype length, qsizetype replaced) const;

  // An edit that turned `old` into `edited`, with what it inserted cut down by Admit: the text
  // the box takes. Nothing admitted of a non-empty insertion: `old`, and `*refused` is set.
  // `*cursor`, when given, becomes the place after the admitted insertion.
  QString Edited(const QString& old, const QString& edited, bool* refused = nullptr, int* cursor = nullptr) const;

 private:
  bool Allows(QChar c) const;

  int32_t mode_;
  int32_t caseConversion_;
  int32_t maxLength_;  // 0: no limit
};

// The leading whole number of a text (blanks skipped, an optional sign, digits, full-width forms
// read as ASCII); 0 without digits; beyond the 64-bit range the nearest end of it.
int64_t LeadingInteger(const QString& text);

// The text a box of `inputMode` shows after the focus leaves it; unchanged for the modes that do
// not rewrite.
QString NormalisedText(int32_t inputMode, const QString& text);

}  // namespace units::editbox
