// lvx/runtime.h - the arithmetic, text and random-number conventions the effect plug-ins rely on.
//
// One shared library for the host and every plug-in, so its state (the random generator and the
// clock) is one per process: seeding the generator in one plug-in changes the numbers every other
// plug-in draws next. The state is not guarded: call from one thread (the apartment model).
//
// Failures are thrown as lvx::RuntimeError, carrying an error number and its description.
#ifndef LVX_RUNTIME_H
#define LVX_RUNTIME_H

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#if defined(__GNUC__)
#define LVX_RUNTIME_API __attribute__((visibility("default")))
#else
#define LVX_RUNTIME_API
#endif

namespace lvx {

// ---- Errors -----------------------------------------------------------------------------------

// Error numbers and the descriptions RuntimeError gives them.
enum RuntimeErrorNumber : int32_t {
    kErrInvalidCall = 5,    // "Invalid procedure call or argument"
    kErrOverflow = 6,       // "Overflow"
    kErrTypeMismatch = 13,  // "Type mismatch"
};

// The one error the runtime throws. Its type information lives in the shared library, so a plug-in
// catches it by type whichever module threw it. what() is the description.
class LVX_RUNTIME_API RuntimeError : public std::runtime_error {
  public:
    // An error with the standard description of `number` ("Error <number>" for one not listed above).
    explicit RuntimeError(int32_t number);
    RuntimeError(int32_t number, const std::string& description);
    ~RuntimeError() override;

    int32_t number() const { return number_; }
    std::string description() const { return what(); }

  private:
    int32_t number_;
};

// ---- Reals to integers --------------------------------------------------------------------------

// x rounded to the nearest integer, ties to even (0.5 -> 0, 1.5 -> 2, 2.5 -> 2, -0.5 -> 0,
// -1.5 -> -2), as a 16-bit or 32-bit integer. The range is tested after rounding, so 32767.5 fails
// and -32768.5 gives -32768. Throws kErrOverflow when the result does not fit, and for NaN or an
// infinity.
LVX_RUNTIME_API int16_t CInt(double x);
LVX_RUNTIME_API int32_t CLng(double x);

// x rounded to `digits` decimals (0 to 22), ties to even: Round(0.125, 2) = 0.12, Round(0.375, 2) =
// 0.38. A tie is a value exactly halfway in decimal, judged on the exact binary value of x: 0.005 as a
// double lies slightly above 5/1000, so it gives 0.01. The result is the double nearest to the
// rounded decimal. NaN and infinities come back unchanged. Throws kErrInvalidCall for digits outside
// 0 to 22.
LVX_RUNTIME_API double Round(double x, int32_t digits = 0);

// ---- Text and integers --------------------------------------------------------------------------

// The integer a decimal text stands for. A number is: any spaces or tabs, an optional "+" or "-",
// one or more digits 0-9 (leading zeros allowed), any spaces or tabs; nothing else (no decimal
// point, exponent, thousands separator or hexadecimal prefix). Throws kErrTypeMismatch for a text that
// is not such a number (the empty text included) and kErrOverflow for a number outside the range.
LVX_RUNTIME_API int16_t TextToInt16(std::string_view text);
LVX_RUNTIME_API int32_t TextToInt32(std::string_view text);

// Plain decimal: "-" before a negative value, no sign, spaces or leading zeros otherwise.
LVX_RUNTIME_API std::string FormatInteger(int64_t value);

// ---- Random numbers -----------------------------------------------------------------------------

// The next number of the uniform generator, 0 <= r < 1 in single precision: the 24-bit linear
// congruential generator state = (state * 1140671485 + 12820163) mod 2^24, r = state / 2^24. At
// load the state is 0x50000, so the first numbers of an unseeded process are 0.7055475, 0.5334240,
// 0.5795186.
LVX_RUNTIME_API float Rnd();

// Seeds the generator from `seed` alone (its earlier state plays no part), so the same seed always
// gives the same numbers: the state becomes the low 24 bits of the seed's single-precision bit
// pattern exclusive-or its bits shifted right by 8.
LVX_RUNTIME_API void Randomize(float seed);
// Seeds the generator from the clock: Randomize(Timer()).
LVX_RUNTIME_API void Randomize();

// ---- Clock ---------------------------------------------------------------------------------------

// Seconds since local midnight, single precision, 0 <= t < 86400; the fixed value while one is set.
LVX_RUNTIME_API float Timer();

// ---- Host-side calls: fixing the clock and the generator ----------------------------------------

// Makes Timer answer `seconds` until UseSystemClock. Throws kErrInvalidCall unless 0 <= seconds <
// 86400.
LVX_RUNTIME_API void SetFixedClock(float seconds);
// Timer follows the system's clock again (the state at load).
LVX_RUNTIME_API void UseSystemClock();

// The generator's 24-bit state, to save and restore around a run. SetRndState throws
// kErrInvalidCall for a value above 0xFFFFFF.
LVX_RUNTIME_API uint32_t RndState();
LVX_RUNTIME_API void SetRndState(uint32_t state);

}  // namespace lvx

#endif  // LVX_RUNTIME_H
