#pragma once
// The keys that move the focus out of an own input control, and the other
// small option sets the own controls share.
//
// Enter, Right and Down move to the next control of the form, Left and Up to
// the previous one; each control says which of them it honours through its
// KeyStyles.

#include <initializer_list>

// A set over a small enumeration (at most 32 values), with the look of the
// sets the forms are written with: TKeyStyles{ksEnter, ksUp}.
template <typename E>
class TEnumSet {
public:
    constexpr TEnumSet() = default;
    constexpr TEnumSet(std::initializer_list<E> values)
    {
        for (E v : values)
            bits_ |= Bit(v);
    }
    constexpr bool Has(E v) const { return (bits_ & Bit(v)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr void Include(E v) { bits_ |= Bit(v); }
    constexpr void Exclude(E v) { bits_ &= ~Bit(v); }
    constexpr void Clear() { bits_ = 0; }
    constexpr bool operator==(const TEnumSet&) const = default;

private:
    static constexpr unsigned Bit(E v) { return 1u << static_cast<unsigned>(v); }
    unsigned bits_ = 0;
};

enum TKeyStyle { ksEnter, ksLeft, ksUp, ksRight, ksDown };
using TKeyStyles = TEnumSet<TKeyStyle>;

// What the key-navigating controls start with, and what forms leave unstored.
inline constexpr TKeyStyles DefaultKeyStyles{ksEnter, ksUp};

// Where the caret goes when an edit gets the focus.
enum TCursorPos { cpAllSel, cpLeft, cpRight };

// Automatic moves of the numeric edit, and how the last keystroke left it.
enum TAutoNextCtl { acMaxLength, acTabKey, acDownKey, acSendEnter };
using TAutoNextCtls = TEnumSet<TAutoNextCtl>;

// The input-method mode of an edit, as far as the controls care: only a
// disabled input method changes what they do.
enum TImeMode { imDontCare, imDisable };
