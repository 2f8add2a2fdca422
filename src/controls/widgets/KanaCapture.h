#pragma once
// The reading of what was typed into an edit, collected as the edits of the
// system collect it: characters typed with the input method closed, and the
// reading of each composition the input method ends.
//
// The input methods of this platform report the composed text but not the
// reading behind it; the nearest thing they hand out is the last preedit
// text before the commit, which holds the kana as typed. That is taken as
// the reading when it is all kana; otherwise the committed text itself.

#include <string>

enum class TKanaWidth { Katakana, HalfWidth };

class TKanaCapture {
public:
    void Clear() { text_.clear(); }
    void Set(std::string text) { text_ = std::move(text); }
    // A character typed with the input method closed (ignored below code 32).
    void AppendTyped(char32_t ch);
    // The end of a composition: the last preedit text and the committed text.
    void AppendComposition(const std::string& lastPreedit, const std::string& committed);
    // The capture converted to katakana (kept as the new capture) and, for
    // HalfWidth, to half-width katakana; each step cut to 1024 CP932 bytes.
    std::string Read(TKanaWidth width);
    const std::string& Raw() const { return text_; }

private:
    std::string text_;
};
