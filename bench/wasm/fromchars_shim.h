/*
 * fromchars_shim.h - forced into expr/parse.cpp by pixels.sh only: the
 * WebAssembly toolchain's libc++ has no floating-point std::from_chars, so
 * this one reads the number with strtod, which rounds correctly in the "C"
 * locale (musl), leaving overflow and underflow to the caller's strtod.
 */
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <string>

namespace std {
inline from_chars_result from_chars(const char *first, const char *last, double &value)
{
    std::string digits(first, last);
    errno = 0;
    char *end = nullptr;
    double v = std::strtod(digits.c_str(), &end);
    if (errno == ERANGE)
        return {first + (end - digits.c_str()), errc::result_out_of_range};
    value = v;
    return {first + (end - digits.c_str()), errc()};
}
}  // namespace std
