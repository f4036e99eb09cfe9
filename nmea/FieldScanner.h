#pragma once

#include <cstdint>

// Reads a sentence positionally, the way a scanf-style format does: each call
// matches one piece of the format and returns false at the first mismatch, so a
// chain of calls joined with && stores every field before the stopping point and
// leaves the stopping field and all later ones untouched.
//
// Numeric conversions skip leading white space and accept an optional sign; an
// empty field fails because it meets the next comma. Numbers are read with "." as
// the decimal point whatever the process locale is. Values that are not finite,
// or that do not fit a float, fail the conversion rather than store inf or nan.
class FieldScanner {
public:
    explicit FieldScanner(const char* text) : cursor_(text) {}

    // The literal text must follow exactly ("%" never appears in our literals).
    bool Literal(const char* literal);

    // "%d" (width 0) or "%Nd": a decimal integer of at most `width` characters,
    // sign included. Out-of-range values wrap to 32 bits like a C conversion would.
    bool Int(std::int32_t* target, int width = 0);

    // "%d" that also takes an empty field: nothing before the next ",", "*" or line end
    // stores 0. Text that is not a number still fails.
    bool IntOrEmpty(std::int32_t* target);

    // "%f": a decimal real with optional fraction and exponent, stored as a float.
    bool Float(float* target);

    // "%c": exactly one character, white space included; fails at the end of the text.
    bool Char(char* target);

    // "%s" with the value discarded: a run of non-blank characters.
    bool SkipWord();

    // Fields stored so far.
    int Stored() const { return stored_; }

private:
    void SkipSpace();

    const char* cursor_;
    int stored_ = 0;
};
